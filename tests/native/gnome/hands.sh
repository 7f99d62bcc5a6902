# Sourced after lib.sh by the scenarios on a headless GNOME Shell (see
# gnome/session): the player's pointer is the test driver extension's
# virtual one (Xwayland's XTest moves no pointer of the compositor's); the
# screen is the shell's screenshot (Xwayland keeps no picture of its root);
# windows are placed and closed through the driver. Keys go through XTest.
# shellcheck shell=bash

driver() {
    gdbus call --session --dest org.gnome.Shell --object-path /org/tavrenne/TestDriver \
        --method "org.tavrenne.TestDriver.$1" "${@:2}"
}

# Where the shell's pointer is: "X Y".
shell_pointer() {
    driver Pointer | sed -n 's/^(\(-\{0,1\}[0-9]*\), \(-\{0,1\}[0-9]*\), .*/\1 \2/p'
}

mouse_to() {
    driver MovePointer "$1" "$2" >/dev/null || fail "the test driver cannot move the pointer"
    pointer_there() { [ "$(shell_pointer)" = "$1 $2" ]; }
    wait_until 5 pointer_there "$1" "$2" || fail "the pointer did not reach $1,$2 (it is at $(shell_pointer))"
}

mouse_down() {
    driver Button true >/dev/null || fail "the test driver cannot press the button"
}

mouse_up() {
    driver Button false >/dev/null || fail "the test driver cannot release the button"
}

# The whole screen as the shell shows it, or its rectangle WxH+X+Y, to FILE.
grab_screen() {
    driver Screenshot "$WORK/screen.png" >/dev/null || return 1
    convert "$WORK/screen.png" ${2:+-crop "$2" +repage} -alpha off -depth 8 "$1"
}

# The game's own pixels, from its X window: quicker than the whole screen.
client_image() {
    import -window "$GAME_WIN" "$1"
}

pixel() {
    import -window "$GAME_WIN" -crop "1x1+$1+$2" +repage -depth 8 txt:- |
        sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p' | head -n 1
}

# As the title bar's close button does (mutter's alt+F4 does not see
# Xwayland's XTest keys).
ask_to_close() {
    driver Close "$GAME_PID" >/dev/null || fail "the game's window cannot be closed"
}

# Moves the window of process PID to the frame rectangle X,Y W x H (without
# W and H it keeps its size) and waits until the shell shows it there.
place_window() {
    local pid=$1 x=$2 y=$3 w=${4:-0} h=${5:-0} size='[0-9]+, [0-9]+'
    [ "$w" -gt 0 ] && size="$w, $h"
    placed() { driver Windows | grep -qE "$pid, '[^']*', $x, $y, $size,"; }
    driver Place "$pid" "$x" "$y" "$w" "$h" >/dev/null && wait_until 10 placed ||
        fail "the window of process $pid did not come to $x,$y: $(driver Windows)"
}

# Starts the native Wayland program PROGRAM ARGS... and waits for its
# window (the process id goes to NATIVE_PID).
start_native() {
    (cd / && exec "$@") >>"$WORK/targets.log" 2>&1 </dev/null &
    NATIVE_PID=$!
    TARGET_PIDS+=("$NATIVE_PID")
    shown() { driver Windows | grep -qE "$NATIVE_PID, '[^']*', -?[0-9]+, -?[0-9]+, [0-9]+, [0-9]+, false"; }
    wait_until 15 shown || fail "the window of $1 did not appear on the shell: $(driver Windows)"
}

