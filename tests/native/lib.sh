# Sourced by the native end-to-end scenarios (run by run-scenario on a
# desktop of their own): the game installed in a folder of its own, started
# under the sanitizers, the target programs, the player's mouse and keys,
# what the window shows, and reading the controls through AT-SPI.
# shellcheck shell=bash
# Environment (set by CTest): NATIVE_OUT, NATIVE_GAME, NATIVE_DAT,
# NATIVE_TARGET, NATIVE_DRAWN_TEXT.
set -u
NATIVE_TESTS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SCENARIO=$(basename "$0" .sh)
WORK=$NATIVE_OUT/$SCENARIO
rm -rf "$WORK" "$NATIVE_OUT/$SCENARIO"-*.png
mkdir -p "$WORK/sanitizer"
GAME_PID=
GAME_WIN=
# The client area's size, from the layout table.
CLIENT_W=237
CLIENT_H=333
# The window background (the layout table's window-frame colour).
BACKGROUND=646464

# Writes the screen, or its rectangle WxH+X+Y, to FILE (8 bits a colour, in
# any format convert writes: a.png, txt:-). A Wayland session has its own.
grab_screen() {
    import -window root ${2:+-crop "$2" +repage} -depth 8 "$1"
}

# The screenshot $NATIVE_OUT/SCENARIO-NAME.png of the whole virtual screen.
screenshot() {
    grab_screen "$NATIVE_OUT/$SCENARIO-$1.png"
}

fail() {
    echo "FAIL [$SCENARIO]: $*" >&2
    screenshot failed 2>/dev/null
    exit 1
}

# ---- the sanitizers ----

# Every report of AddressSanitizer, LeakSanitizer or UBSan goes to a file
# of WORK/sanitizer and ends the game (halt_on_error, abort_on_error).
SANITIZER_OPTIONS=(
    "ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:log_path=$WORK/sanitizer/asan"
    "UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1:log_path=$WORK/sanitizer/ubsan"
    "LSAN_OPTIONS=suppressions=$NATIVE_TESTS/lsan.supp:print_suppressions=0"
)

# Prints the reports written so far and returns 1 if there is any.
sanitizer_reports() {
    local report found=0
    for report in "$WORK"/sanitizer/*; do
        [ -e "$report" ] || continue
        echo "a sanitizer report ($(basename "$report")):" >&2
        head -n 80 "$report" >&2
        found=1
    done
    return $found
}

check_sanitizers() {
    sanitizer_reports || fail "the sanitizers reported a fault in the game"
}

# ---- the game ----

GAME=$WORK/game/tavrenne
# The program and its dat folder beside it, in a folder of their own.
install_game() {
    [ -d "$NATIVE_DAT" ] || fail "the dat folder $NATIVE_DAT was not built"
    mkdir -p "$WORK/game"
    cp "$NATIVE_GAME" "$GAME"
    cp -r "$NATIVE_DAT" "$WORK/game/dat"
}

# The sound: SDL's dummy driver unless GAME_AUDIO=disk, which writes the
# output to GAME_AUDIO_FILE (raw 44100 Hz stereo signed 16-bit, in real time).
GAME_AUDIO=dummy
GAME_AUDIO_FILE=$WORK/audio.raw

# Runs the game program (PROGRAM, default GAME) in the foreground from
# another folder than its own, so that it must find dat/ through its own
# path; its output is appended to WORK/game.log.
run_game() {
    (cd / && exec env "${SANITIZER_OPTIONS[@]}" SDL_AUDIODRIVER="$GAME_AUDIO" \
        SDL_DISKAUDIOFILE="$GAME_AUDIO_FILE" "${1:-$GAME}") >>"$WORK/game.log" 2>&1 </dev/null
}

# The shown top-level windows of class TAVRENNE that are no box (a box is
# transient for the main window).
game_windows() {
    local window
    for window in $(xdotool search --onlyvisible --class '^TAVRENNE$' 2>/dev/null); do
        xprop -id "$window" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id' || echo "$window"
    done
}

# Starts the game in the background and waits for its window (GAME_WIN).
start_game() {
    # The subshell becomes the game (exec): $! is the game's process id.
    (cd / && exec env "${SANITIZER_OPTIONS[@]}" SDL_AUDIODRIVER="$GAME_AUDIO" \
        SDL_DISKAUDIOFILE="$GAME_AUDIO_FILE" "$GAME") >>"$WORK/game.log" 2>&1 </dev/null &
    GAME_PID=$!
    GAME_WIN=
    local deadline=$((SECONDS + 20))
    until GAME_WIN=$(game_windows | head -n 1) && [ -n "$GAME_WIN" ]; do
        kill -0 "$GAME_PID" 2>/dev/null || { cat "$WORK/game.log" >&2; fail "the game ended before its window appeared"; }
        [ $SECONDS -lt $deadline ] || fail "the game window did not appear"
        sleep 0.1
    done
    window_placed "$GAME_WIN"
    # The controls are on the accessibility bus once the window is.
    atspi wait-text panel-1 '/.*' >/dev/null || fail "the game's controls are not on the accessibility bus"
}

# Waits for the game to end; its exit code goes to GAME_RC (not in a
# command substitution: a subshell cannot wait for the game).
wait_game_exit() {
    GAME_RC=0
    wait "$GAME_PID" || GAME_RC=$?
    GAME_PID=
    check_sanitizers
}

# Closes the game's window as a player does, with alt+F4 (the window
# manager asks the window to close), and checks the exit code 0.
close_game() {
    ask_to_close
    local deadline=$((SECONDS + 15))
    while kill -0 "$GAME_PID" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || fail "alt+F4 did not end the game"
        sleep 0.1
    done
    wait_game_exit
    [ "$GAME_RC" -eq 0 ] || fail "closing the window ended the game with code $GAME_RC, not 0"
}

ask_to_close() {
    activate_game
    xdotool key alt+F4
}

# Ends a game still running when a scenario stops early: TERM, and KILL
# if it is still there after 5 s.
stop_game() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID" 2>/dev/null
        local deadline=$((SECONDS + 5))
        while kill -0 "$GAME_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
        kill -0 "$GAME_PID" 2>/dev/null && { echo "the game did not end on TERM; killed" >&2; kill -KILL "$GAME_PID"; }
        wait "$GAME_PID" 2>/dev/null
    fi
    GAME_PID=
}

# ---- reading the controls ----

atspi() {
    NATIVE_GAME_PID=${GAME_PID:-} /usr/bin/python3 "$NATIVE_TESTS/atspi" "$@"
}

# Checks that the AT-SPI command's output equals EXPECTED.
expect_atspi() {
    local expected=$1 got
    shift
    got=$(atspi "$@") || fail "atspi $* failed"
    [ "$got" = "$expected" ] || fail "atspi $*: expected \"$expected\", got \"$got\""
}

# Checks that the controls ID... are all shown (1) or all hidden (0).
expect_shown() {
    local want=$1 id args=() got
    shift
    for id in "$@"; do
        args+=(visible "$id" +)
    done
    got=$(atspi "${args[@]:0:${#args[@]}-1}" | tr -d '\n') || fail "cannot read the controls $*"
    [ "$got" = "$(printf "$want%.0s" "$@")" ] || fail "controls $*: shown $got, not all $want"
}

# Waits for the box CAPTION to show TEXT, photographs it as NAME, and
# presses its OK button.
answer_box() {
    atspi wait-box "$1" "$2" || fail "the box \"$2\" did not appear"
    [ -n "${3:-}" ] && screenshot "$3"
    atspi press-ok "$1" || fail "cannot close the box \"$2\""
}

# ---- where things are ----

# The screen position of the client area of window W (default the game's)
# into OX OY. (xwininfo's absolute corner is the client's own; xdotool's
# geometry includes the window manager's frame.)
origin_of() {
    local info
    info=$(xwininfo -id "${1:-$GAME_WIN}" 2>/dev/null) || fail "no window ${1:-$GAME_WIN}"
    OX=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
    OY=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
}

# Writes the game's client area, cut from the screen, to FILE.
client_image() {
    origin_of
    grab_screen "$1" "${CLIENT_W}x${CLIENT_H}+${OX}+${OY}"
}

# The colour RRGGBB of the game's client pixel X,Y on the screen.
pixel() {
    origin_of
    grab_screen txt:- "1x1+$((OX + $1))+$((OY + $2))" |
        sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p' | head -n 1
}

# Polls CHECK (a command returning 0 when satisfied) for up to SECONDS.
wait_until() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# Waits until the game's client pixel X,Y is RRGGBB (or, as !RRGGBB, is not).
wait_pixel() {
    local x=$1 y=$2 want=$3
    pixel_is() {
        PIXEL=$(pixel "$x" "$y")
        if [ "${want:0:1}" = '!' ]; then [ "$PIXEL" != "${want:1}" ]; else [ "$PIXEL" = "$want" ]; fi
    }
    wait_until "${4:-10}" pixel_is
}

# How many pixels of the image differ from colour RRGGBB, leaving out the
# rectangle X1,Y1-X2,Y2 (both corners inside) when one is given.
stray_pixels() {
    local image=$1 colour=$2 args=()
    [ $# -ge 6 ] && args=(-fill "#$colour" -draw "rectangle $3,$4 $5,$6")
    convert "$image" -alpha off "${args[@]}" "$WORK/strays.png"
    compare -metric AE "$WORK/strays.png" \
        -size "$(identify -format '%wx%h' "$WORK/strays.png")" "xc:#$colour" null: 2>&1
}

# How many pixels of colour RRGGBB lie in the rectangle X,Y W x H of the image.
pixels_of_colour() {
    local others
    convert "$1" -alpha off -crop "${4}x${5}+${2}+${3}" +repage "$WORK/crop.png"
    others=$(compare -metric AE "$WORK/crop.png" -size "${4}x${5}" "xc:#$6" null: 2>&1)
    echo $(($4 * $5 - others))
}

# How many pixels of the client rectangle X,Y W x H differ from IMAGE (its
# top-left W x H, flattened over the window background).
pixels_unlike() {
    local image=$1 x=$2 y=$3 w=$4 h=$5
    client_image "$WORK/client.png"
    convert "$WORK/client.png" -crop "${w}x${h}+${x}+${y}" +repage "$WORK/region.png"
    convert "$image" -background "#$BACKGROUND" -flatten -crop "${w}x${h}+0+0" +repage "$WORK/expected.png"
    compare -metric AE "$WORK/region.png" "$WORK/expected.png" null: 2>&1
}

# Waits until the client rectangle X,Y W x H shows the top-left of IMAGE.
expect_picture() {
    local what=$1 image=$2
    shift 2
    picture_shown() { UNLIKE=$(pixels_unlike "$image" "$@"); [ "$UNLIKE" = 0 ]; }
    wait_until 10 picture_shown "$@" || fail "$what: $UNLIKE pixels differ from $(basename "$image")"
}

# The screen before any hero: the client area is the window background but
# for the 32 x 32 grab icon at (50,50), a white arrow outlined in black.
first_screen_shown() {
    client_image "$WORK/client.png"
    strays=$(stray_pixels "$WORK/client.png" "$BACKGROUND" 50 50 81 81)
    white=$(pixels_of_colour "$WORK/client.png" 50 50 32 32 FFFFFF)
    black=$(pixels_of_colour "$WORK/client.png" 50 50 32 32 000000)
    [ "$strays" -eq 0 ] && [ "$white" -gt 20 ] && [ "$black" -gt 20 ]
}

expect_first_screen() {
    wait_until 10 first_screen_shown ||
        fail "first screen: $strays stray pixels outside the grab icon, $white white and $black black in it"
}

# The progress line as the painter draws it (the log font: IPAGothic 15 px,
# weight 600, black on a white box on the bottom of the client area):
# waits until it reads DISTANCE/100億光年 残り時間TIME.
progress_reads() {
    local text size
    text=$(printf '%03d/100億光年 残り時間%03d ' "$1" "$2")
    size=$("$NATIVE_DRAWN_TEXT" 15 600 "$text" "$WORK/progress-expected.png") || return 1
    read -r PW PH <<<"$size"
    client_image "$WORK/client.png"
    convert "$WORK/client.png" -crop "${PW}x${PH}+0+$((CLIENT_H - PH))" +repage "$WORK/progress.png"
    [ "$(compare -metric AE "$WORK/progress.png" "$WORK/progress-expected.png" null: 2>&1)" = 0 ]
}

expect_progress() {
    wait_until "${3:-10}" progress_reads "$1" "$2" ||
        fail "the progress line does not read $(printf '%03d/100億光年 残り時間%03d' "$1" "$2")"
}

# ---- target programs ----

# Copies our target program (or PROGRAM) to FILE, its last write dated long
# ago so the age rule lets it through; a line naming the copy is appended,
# so that every copy has an MD5 (and a hero) of its own.
place_target() {
    mkdir -p "$(dirname "$1")"
    cp "${2:-$NATIVE_TARGET}" "$1"
    # TARGET_SALT, when set, gives every target (and so every hero) another
    # digest: a way to try a scenario with other heroes than the usual.
    printf 'target %s%s\n' "$(basename "$1")" "${TARGET_SALT:-}" >>"$1"
    touch -d '2001-02-03 12:00' "$1"
}

# Starts the program FILE with a window of class CLASS at screen X,Y
# (160 x 120), "icon" to carry its _NET_WM_ICON; its window goes to
# TARGET_WIN[CLASS]. The targets end with the scenario.
declare -A TARGET_WIN
TARGET_PIDS=()
start_target() {
    start_program "$2" "$1" "$2" "$3" "$4" ${5:-}
}

# Starts PROGRAM ARGS... from the root folder and waits for its window of
# class CLASS (WM_CLASS's second part), which goes to TARGET_WIN[CLASS].
start_program() {
    local class=$1 window="" deadline=$((SECONDS + 15))
    shift
    (cd / && exec "$@") >>"$WORK/targets.log" 2>&1 </dev/null &
    TARGET_PIDS+=($!)
    until window=$(xdotool search --onlyvisible --class "^$class\$" 2>/dev/null | head -n 1) &&
        [ -n "$window" ]; do
        [ $SECONDS -lt $deadline ] || fail "the window of class $class ($1) did not appear"
        sleep 0.1
    done
    window_placed "$window"
    TARGET_WIN[$class]=$window
}

# Waits until the desktop has put the X window WINDOW where it stays
# (nothing to wait for under openbox; see sway-lib.sh).
window_placed() { :; }

stop_targets() {
    local pid
    for pid in "${TARGET_PIDS[@]}"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    TARGET_PIDS=()
}

# The scenario's end: the game and the targets are stopped, and any
# sanitizer report (also of a game that was still running) fails it.
at_exit() {
    local rc=$?
    stop_game
    stop_targets
    sanitizer_reports || { echo "FAIL [$SCENARIO]: the sanitizers reported a fault in the game" >&2; rc=1; }
    exit $rc
}
trap at_exit EXIT

# ---- the player's hands ----

# Moves the pointer to screen X,Y and waits until it is there. (--sync
# waits for the pointer to leave where it was, so a move to where it
# already is would wait in vain.)
mouse_to() {
    local X Y SCREEN WINDOW
    eval "$(xdotool getmouselocation --shell)"
    [ "$X" = "$1" ] && [ "$Y" = "$2" ] || xdotool mousemove --sync "$1" "$2"
}

# Draws the White Arrow from the grab spot and releases it at screen X,Y.
# The grab icon's shaft (white at 64,70) shows that the arrow can be
# drawn, and its absence that aiming started.
shoot_at_screen() {
    origin_of
    wait_pixel 64 70 FFFFFF || fail "the grab icon is not shown (64,70 is $PIXEL)"
    mouse_to $((OX + 66)) $((OY + 66))
    mouse_down
    wait_pixel 64 70 '!FFFFFF' ||
        fail "pressing on the grab spot did not start aiming (a drag to $1,$2; X has the pointer at $(xdotool getmouselocation))"
    mouse_to $((OX + 120)) $((OY + 200))
    mouse_to "$1" "$2"
    mouse_up
}

mouse_down() { xdotool mousedown 1; }
mouse_up() { xdotool mouseup 1; }

# The same, released at the game's client X,Y.
shoot_at_client() {
    origin_of
    shoot_at_screen $((OX + $1)) $((OY + $2))
}

# The same, released in the middle of the target window of class CLASS.
shoot_at_target() {
    local ox oy
    origin_of "${TARGET_WIN[$1]}"
    ox=$OX oy=$OY
    shoot_at_screen $((ox + 80)) $((oy + 60))
}

# Makes the game's window the active one (the keyboard's), as a click on
# its title bar would.
activate_game() {
    xdotool windowactivate --sync "$GAME_WIN" 2>/dev/null ||
        fail "the game window cannot be activated"
}

# Presses keys (xdotool names: Up, Return, F7...) on the game's window.
press_keys() {
    activate_game
    xdotool key --delay 30 "$@"
}

# ---- steps the Wayland sessions' scenarios share ----

# Our native Wayland program (NATIVE_WL_TARGET) as $target, with a desktop
# entry in the player's data folder whose icon is the X11 target's 32 x 32
# picture ($WORK/target-icon.ppm): the portrait a native window must get.
install_native_target() {
    target=$WORK/targets/bullseye-wl
    place_target "$target" "$NATIVE_WL_TARGET"
    "$NATIVE_TARGET" --icon-ppm >"$WORK/target-icon.ppm" || fail "the target cannot write its icon"
    mkdir -p "$XDG_DATA_HOME/applications" "$XDG_DATA_HOME/icons/hicolor/32x32/apps"
    convert "$WORK/target-icon.ppm" "$XDG_DATA_HOME/icons/hicolor/32x32/apps/bullseye-wl.png"
    printf '[Desktop Entry]\nType=Application\nName=Bullseye\nExec=%s\nIcon=bullseye-wl\n' "$target" \
        >"$XDG_DATA_HOME/applications/bullseye-wl.desktop"
}

# Expects the first arrow's hero of PROGRAM: the log, the numbers of its
# MD5, the controls and the progress line.
expect_hero() {
    derive_hero "$1"
    atspi wait-text panel-3 $' >\n >\n >\n >\n >'"$H_NAME"$' を射止めた!\n' ||
        fail "no hero was made from $1 (the log: $(atspi line panel-3))"
    expect_atspi "$(status_text "$H_NAME" 1 "$H_MAXHP" "$H_MAXHP" "$H_MAXMP" "$H_MAXMP" "$H_ATTACK" "$H_DEFENCE" 0 10)" \
        text panel-1
    expect_shown 1 control-101 control-102 control-104 control-105 control-106 panel-1 panel-3
    expect_progress 0 400
    echo "hero $H_NAME from $1: HP $H_MAXHP, MP $H_MAXMP, attack $H_ATTACK, defence $H_DEFENCE"
}

# Ends the game with F11; the next drag is a first arrow again.
end_game() {
    press_keys F11
    wait_hidden() { [ "$(atspi visible control-101)" = 0 ]; }
    wait_until 10 wait_hidden || fail "F11 did not end the game"
    expect_first_screen
}

# Our native window where it lies over the xterm (over_x, over_y) is the one
# hit: our program's hero with its desktop entry's icon; then, after F11,
# the part of the xterm nothing covers (bare_x, bare_y) gives the xterm's.
shoot_over_and_beside_xterm() {
    shoot_at_screen "$over_x" "$over_y"
    expect_hero "$target"
    expect_picture "the portrait of our native program (its desktop entry's icon)" "$WORK/target-icon.ppm" 144 5 32 32
    screenshot native-over-xterm
    end_game
    shoot_at_screen "$bare_x" "$bare_y"
    expect_hero /usr/bin/xterm
    screenshot xterm
}
