# Sourced after lib.sh by the scenarios of a headless sway session
# (run-scenario --sway): the player's mouse as a virtual pointer of sway's,
# the screen through grim, the windows where sway's tree says they are,
# native Wayland programs, and the game closed by sway as a player closes it.
# shellcheck shell=bash
# Environment (set by CTest): NATIVE_POINTER, NATIVE_WL_TARGET.
[ -n "${SWAYSOCK:-}" ] && [ -n "${WAYLAND_DISPLAY:-}" ] ||
    fail "no sway session here: run the scenario with run-scenario --sway"

# ---- the player's hands ----

# One pointer program for the whole scenario, holding the virtual pointer:
# sway 1.7 crashed (SIGSEGV in a request handler of libwlroots) when a new
# virtual pointer was driven after another one had gone away with a drag
# on an Xwayland window behind it.
coproc POINTER { exec "$NATIVE_POINTER" 2>>"$WORK/pointer.log"; }
TARGET_PIDS+=("$POINTER_PID")

# Sends one command to the pointer and waits until sway has taken it.
pointer() {
    local reply=""
    echo "$*" >&"${POINTER[1]}" && read -r -t 10 reply <&"${POINTER[0]}"
    [ "$reply" = ok ] || fail "the pointer did not take \"$*\": ${reply:-no answer} $(cat "$WORK/pointer.log")"
}

mouse_to() { pointer move "$1" "$2"; }
mouse_down() { pointer down; }
mouse_up() { pointer up; }

# sway gives its seat the pointer at the virtual pointer's first event, and
# Xwayland takes it up only after: a press sent at once went to no one. The
# first move is made here, long before the first press.
mouse_to 1023 767

# What sway shows: Xwayland's root window holds none of the native windows.
grab_screen() {
    local area=() g=${2:-}
    if [ -n "$g" ]; then
        local w=${g%%x*} rest=${g#*x}
        local h=${rest%%+*} xy=${rest#*+}
        area=(-g "${xy%%+*},${xy#*+} ${w}x$h")
    fi
    grim "${area[@]}" - | convert png:- -alpha off -depth 8 "$1"
}

# The game's own pixels come from its X window, as the game drew them: sway
# 1.7 showed a new picture of an Xwayland window only at the next pointer
# event while the pointer was held still (a press that started aiming
# hid the grab icon on the screen only once the pointer moved on).
client_image() {
    import -window "$GAME_WIN" -crop "${CLIENT_W}x${CLIENT_H}+0+0" +repage -depth 8 "$1"
}

pixel() {
    import -window "$GAME_WIN" -crop "1x1+$1+$2" +repage -depth 8 txt:- |
        sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p' | head -n 1
}

# ---- windows ----

# The rectangle in layout coordinates of the first shown window of sway's
# tree that the jq test FILTER picks, into WX WY WW WH: the window's own
# (window_rect, inside the frame's rect), without title bar and borders.
# Fails if there is none.
sway_rect() {
    local rect
    rect=$(swaymsg -t get_tree | jq -r "first(.. | objects | select(.pid? != null and .visible == true)
        | select($1) | \"\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height)\") // empty")
    [ -n "$rect" ] && read -r WX WY WW WH <<<"$rect"
}

# An X window is where it stays once sway has moved it (for_window) and X
# says the same.
window_placed() {
    placed() { sway_rect ".window == $1" && origin_of "$1" && [ "$OX $OY" = "$WX $WY" ]; }
    wait_until 10 placed "$1" ||
        fail "sway did not place the X window $1 (sway: ${WX:-nothing}, ${WY:-}; X: ${OX:-}, ${OY:-})"
}

# Starts COMMAND... from the root folder and waits for its native window of
# app id APP_ID, whose rectangle goes to NATIVE_RECT[APP_ID].
declare -A NATIVE_RECT
start_native() {
    local app_id=$1
    shift
    (cd / && exec "$@") >>"$WORK/targets.log" 2>&1 </dev/null &
    TARGET_PIDS+=($!)
    native_shown() { sway_rect ".shell == \"xdg_shell\" and .app_id == \"$app_id\""; }
    wait_until 15 native_shown || fail "no native window of app id $app_id appeared ($1)"
    NATIVE_RECT[$app_id]="$WX $WY $WW $WH"
}

# The game ends as when the player closes its window: sway asks it to.
ask_to_close() {
    swaymsg '[class="^TAVRENNE$" window_type="normal"] kill' >/dev/null ||
        fail "sway cannot close the game window"
}
