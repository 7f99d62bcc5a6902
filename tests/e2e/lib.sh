# Sourced by the end-to-end scenarios: the game in a folder of its own, the
# driver, screenshots, waiting and failing with a message.
# shellcheck shell=bash
# Environment (set by CTest): WINE_TEST_PREFIX, E2E_OUT, E2E_DRIVER, E2E_GAME, E2E_DAT.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/../wine/env.sh" "$WINE_TEST_PREFIX"

SCENARIO=$(basename "$0" .sh)
WORK=$E2E_OUT/$SCENARIO
rm -rf "$WORK" "$E2E_OUT/$SCENARIO"-*.png
mkdir -p "$WORK"
GAME_PID=

# The screenshot $E2E_OUT/SCENARIO-NAME.png of the whole virtual screen.
screenshot() {
    import -window root "$E2E_OUT/$SCENARIO-$1.png"
}

fail() {
    echo "FAIL [$SCENARIO]: $*" >&2
    screenshot failed 2>/dev/null
    exit 1
}

stop_game() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID" 2>/dev/null
        wait "$GAME_PID" 2>/dev/null
    fi
    GAME_PID=
}

# The target programs started by start_target, closed when the scenario ends.
TARGETS=()
stop_targets() {
    local class
    for class in "${TARGETS[@]}"; do
        drive close "$class" 2>/dev/null
    done
    TARGETS=()
}
trap 'stop_game; stop_targets' EXIT

# The driver's commands (see the comment at the top of driver.cpp). Its own
# failures end in code 1 or 2 with a line "driver: ..."; an end without that
# line means the driver did not run to its end, and is named here, followed
# by whatever the process wrote.
#
# Rarely (a few times in hundreds of scenario runs, never reproduced in
# isolation) Wine ends a driver process at once with code 1 and not a word:
# the code the Wine server gives the processes it ends. The driver is then
# run once more: every check the driver makes still fails with its own
# line, and a game that died meanwhile is reported by the second run.
drive() {
    local rc attempt errors finished
    errors=$(mktemp)
    for attempt in 1 2; do
        rc=0
        wine "$E2E_DRIVER" "$@" 2>"$errors" || rc=$?
        finished=no
        { [ $rc -eq 0 ] || grep -q '^driver: ' "$errors"; } && finished=yes
        cat "$errors" >&2
        [ $finished = yes ] && break
        echo "driver: ended with code $rc without finishing: $*" >&2
        [ $attempt -eq 1 ] && echo "driver: running it once more" >&2
    done
    rm -f "$errors"
    return $rc
}

# Copies the exe and the dat folder into WORK/game; "without FILE..." leaves
# those dat files out, "no-dat" the whole folder.
GAME_EXE=$WORK/game/Tavrenne.exe
install_game() {
    mkdir -p "$WORK/game"
    cp "$E2E_GAME" "$GAME_EXE"
    [ "${1:-}" = no-dat ] && return 0
    [ -d "$E2E_DAT" ] || fail "the dat folder $E2E_DAT was not built"
    cp -r "$E2E_DAT" "$WORK/game/dat"
    if [ "${1:-}" = without ]; then
        shift
        for file in "$@"; do rm -f "$WORK/game/dat/$file"; done
    fi
}

# Starts GAME_EXE in the background from another folder than its own, so it
# must find dat/ through its own path.
# The game's Wine messages go to WORK/game.log; GAME_WINEDEBUG chooses them.
start_game() {
    (cd / && WINEDEBUG=${GAME_WINEDEBUG:-$WINEDEBUG} exec wine "$GAME_EXE") \
        2>"$WORK/game.log" &
    GAME_PID=$!
}

# How many lines of the game's log contain TEXT.
game_log_count() {
    grep -cF -- "$1" "$WORK/game.log" || true
}

# Waits for the game to end; its exit code goes to GAME_RC. (Not in a
# command substitution: a subshell cannot wait for the game.)
wait_game_exit() {
    GAME_RC=0
    wait "$GAME_PID" || GAME_RC=$?
    GAME_PID=
}

# Closes the game's window as a player would and checks that the game ended
# with code 0.
close_game() {
    drive close TAVRENNE || fail "cannot close the window"
    wait_game_exit
    [ "$GAME_RC" -eq 0 ] || fail "closing the window ended the game with code $GAME_RC, not 0"
}

# Waits up to 10 s until the driver COMMAND's output equals EXPECTED.
wait_output() {
    local expected=$1; shift
    local deadline=$((SECONDS + 10)) got
    until got=$(drive "$@") && [ "$got" = "$expected" ]; do
        [ $SECONDS -lt $deadline ] || fail "driver $*: expected \"$expected\", got \"$got\""
        sleep 0.2
    done
}

# Checks that COMMAND's output equals EXPECTED.
expect_output() {
    local expected=$1; shift
    local got
    got=$(drive "$@") || fail "driver $* failed"
    [ "$got" = "$expected" ] || fail "driver $*: expected \"$expected\", got \"$got\""
}

# Checks that the game's controls CONTROL... are all shown (1) or all hidden (0).
expect_shown() {
    local want=$1 control args=() got
    shift
    for control in "$@"; do
        args+=(visible TAVRENNE "$control" +)
    done
    got=$(drive "${args[@]}" | tr -d '\n')
    [ "$got" = "$(printf "$want%.0s" "$@")" ] || fail "controls $*: shown $got, not all $want"
}

# Writes the game window's client area to FILE, as the window itself holds
# it (the driver reads it from the window's device context): wherever Wine
# last put the window on the screen.
client_image() {
    drive client-image TAVRENNE >"$1.bmp" || fail "cannot read the game window's pixels"
    convert "bmp:$1.bmp" "$1" || fail "the game window's pixels made no picture"
    rm -f "$1.bmp"
}

# How many pixels of the image differ from colour RRGGBB, leaving out the
# rectangle X1,Y1-X2,Y2 (both corners inside) when one is given.
stray_pixels() {
    local image=$1 colour=$2
    local args=()
    [ $# -ge 6 ] && args=(-fill "#$colour" -draw "rectangle $3,$4 $5,$6")
    convert "$image" -alpha off "${args[@]}" "$WORK/strays.png"
    compare -metric AE -size "$(identify -format '%wx%h' "$WORK/strays.png")" "$WORK/strays.png" \
        "xc:#$colour" null: 2>&1
}

# How many pixels of colour RRGGBB lie in the rectangle X,Y W x H of the image.
pixels_of_colour() {
    local others
    convert "$1" -alpha off -crop "${4}x${5}+${2}+${3}" +repage "$WORK/crop.png"
    others=$(compare -metric AE -size "${4}x${5}" "$WORK/crop.png" "xc:#$6" null: 2>&1)
    echo $(($4 * $5 - others))
}

# Polls CHECK (a shell function returning 0 when satisfied) for up to
# SECONDS, for what a repaint may still be bringing to the screen.
wait_until() {
    local seconds=$1; shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

# Waits until CHECK (a shell function returning 0 when satisfied) holds, for
# as long as the game is still at work: it fails only once the game's log,
# status panel and mouse capture have shown no change for QUIET seconds,
# which a game that is merely slow never reaches. AT_WORK then says what
# changed last, when, and how the game read then.
wait_while_at_work() {
    local quiet=$1 state last= start=$SECONDS since=$SECONDS
    shift
    AT_WORK="the game's log, status and capture did not change at all"
    until "$@"; do
        state=$(drive line TAVRENNE '#2' + line TAVRENNE '#0' + capture TAVRENNE 2>&1 | tr '\n' ' ')
        if [ "$state" != "$last" ]; then
            [ -n "$last" ] && AT_WORK="the game's log, status and capture last changed $((SECONDS - start)) s into the wait, to: $state"
            last=$state since=$SECONDS
        fi
        [ $((SECONDS - since)) -lt "$quiet" ] || { AT_WORK="no change for $quiet s; $AT_WORK"; return 1; }
        sleep 0.2
    done
}

# The screen before any hero: the whole client area is the window background
# (the window-frame system colour) except the 32 x 32 grab icon at (50,50),
# a white arrow outlined in black.
first_screen_shown() {
    client_image "$WORK/client.png"
    strays=$(stray_pixels "$WORK/client.png" "$background" 50 50 81 81)
    white=$(pixels_of_colour "$WORK/client.png" 50 50 32 32 FFFFFF)
    black=$(pixels_of_colour "$WORK/client.png" 50 50 32 32 000000)
    [ "$strays" -eq 0 ] && [ "$white" -gt 20 ] && [ "$black" -gt 20 ]
}

expect_first_screen() {
    background=$(drive syscolor 6) || fail "cannot read the window-frame colour"
    drive wait-pixel TAVRENNE 5 5 "$background" || fail "the background was not painted"
    wait_until 10 first_screen_shown ||
        fail "first screen: $strays stray pixels outside the icon, $white white and $black black in it"
}

# ---- target programs ----

# Copies our target program (E2E_TARGET, or E2E_TARGET_PLAIN with "plain")
# to FILE, its last write dated long ago so the age rule lets it through.
# The copy ends in a line naming it, past the program's last section where
# the loader never looks, so that every target has an MD5 of its own.
place_target() {
    local source=$E2E_TARGET
    [ "${2:-}" = plain ] && source=$E2E_TARGET_PLAIN
    mkdir -p "$(dirname "$1")"
    cp "$source" "$1"
    printf 'target %s\n' "$(basename "$1")" >>"$1"
    touch -d '2001-02-03 12:00' "$1"
}

# Starts the target program FILE with a window of class CLASS at screen X,Y
# (160 x 120), from another folder; "lock" keeps its own file locked.
start_target() {
    (cd / && exec wine "$1" "$2" "$3" "$4" ${5:-}) >/dev/null 2>&1 </dev/null &
    TARGETS+=("$2")
    drive wait "$2" || fail "the target window $2 did not appear"
}

# ---- the player's hands ----

# Screen position of the game's client origin, for the mouse.
game_origin() {
    read -r OX OY <<<"$(drive origin TAVRENNE)" || fail "no game window"
}

# Moves the pointer to screen X,Y and waits until it is there. (xdotool's
# --sync waits for the pointer to leave where it was, so a move to where it
# already is would wait in vain.)
mouse_to() {
    local X Y SCREEN WINDOW
    eval "$(xdotool getmouselocation --shell)"
    [ "$X" = "$1" ] && [ "$Y" = "$2" ] || xdotool mousemove --sync "$1" "$2"
}

# Drags the White Arrow from the grab spot and releases it at screen X,Y.
# The grab icon's shaft (pure white at 64,70) shows that the arrow can be
# drawn, and its absence that aiming started.
shoot_at_screen() {
    game_origin
    drive wait-pixel TAVRENNE 64 70 FFFFFF || fail "the grab icon is not shown"
    mouse_to $((OX + 66)) $((OY + 66))
    xdotool mousedown 1
    drive wait-pixel TAVRENNE 64 70 '!FFFFFF' || fail "pressing on the grab spot did not start aiming"
    mouse_to $((OX + 120)) $((OY + 200))
    mouse_to "$1" "$2"
    xdotool mouseup 1
}

# The same, released at client X,Y of the game's own window.
shoot_at_client() {
    game_origin
    shoot_at_screen $((OX + $1)) $((OY + $2))
}

# The same, released inside the window of class CLASS.
shoot_at_target() {
    local x y
    read -r x y <<<"$(drive origin "$1")" || fail "no target window $1"
    shoot_at_screen $((x + 80)) $((y + 60))
}

# Presses keys on the real keyboard (xdotool names: Up, Return, F7...). No
# window manager runs: the keyboard follows the pointer, so it rests on the
# game's window first.
press_keys() {
    game_origin
    mouse_to $((OX + 230)) $((OY + 5))
    xdotool key --delay 20 "$@"
}

# Presses KEYS... while the driver watches the log for TEXT (as wait-text
# takes it). The watch has begun before the first key, so a line that the
# rest of the command soon pushes out of the five-line log is still seen.
press_keys_watching_log() {
    local text=$1 ready= rc=0 watcher
    shift
    rm -f "$WORK/watch"
    mkfifo "$WORK/watch"
    drive watch-text TAVRENNE '#2' "$text" >"$WORK/watch" &
    watcher=$!
    exec 3<"$WORK/watch"
    read -r -t 30 ready <&3 || true
    [ "$ready" = watching ] && press_keys "$@"
    wait "$watcher" || rc=$?
    exec 3<&-
    [ "$ready" = watching ] && [ $rc -eq 0 ]
}

# ---- what the window shows ----

# Checks that the progress line reads DISTANCE/100億光年 残り時間TIME, drawn as
# the painter draws it (15-pixel bold Shift_JIS font on the bottom 20 pixels).
expect_progress() {
    local w h text
    read -r w h <<<"$(drive client TAVRENNE)"
    text=$(printf '%03d/100億光年 残り時間%03d ' "$1" "$2")
    drive drawn-text TAVRENNE 15 600 0 $((h - 20)) "$w" "$h" bottom-left "$text" ||
        fail "the progress line does not read \"$text\""
}

# How many pixels of the client area's W x H rectangle at X,Y differ from
# IMAGE (a picture file, flattened over the window background).
pixels_unlike() {
    local image=$1 x=$2 y=$3 w=$4 h=$5
    client_image "$WORK/client.png"
    convert "$WORK/client.png" -crop "${w}x${h}+${x}+${y}" +repage "$WORK/region.png"
    convert "$image" -background "#$(drive syscolor 6)" -flatten -crop "${w}x${h}+0+0" +repage \
        "$WORK/expected.png"
    compare -metric AE "$WORK/region.png" "$WORK/expected.png" null: 2>&1
}

# Checks that the client rectangle at X,Y shows the top-left W x H of IMAGE.
expect_picture() {
    local what=$1 image=$2; shift 2
    picture_shown() { UNLIKE=$(pixels_unlike "$image" "$@"); [ "$UNLIKE" = 0 ]; }
    wait_until 10 picture_shown "$@" || fail "$what: $UNLIKE pixels differ from $(basename "$image")"
}
