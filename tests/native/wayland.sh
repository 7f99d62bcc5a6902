# Sourced after lib.sh by the scenarios played on a Wayland compositor with
# Xwayland: the player's mouse is a Wayland client of ours (NATIVE_POINTER,
# reading "move X Y", "down", "up" and "key CODE" lines and answering "ok"
# once the compositor has them), since X input moves no pointer of the
# compositor's; and the game's pixels are read from its own X window, since
# a rootless Xwayland has no picture of the whole screen.
# shellcheck shell=bash

[ -n "${WAYLAND_DISPLAY:-}" ] || fail "no Wayland display (run the scenario with run-scenario's kwin desktop)"
[ -x "${NATIVE_POINTER:-}" ] || fail "the pointer program NATIVE_POINTER (${NATIVE_POINTER:-unset}) was not built"
coproc POINTER { exec "$NATIVE_POINTER" 2>>"$WORK/pointer.log"; }
POINTER_PID=$POINTER_PID

# Sends one command to the pointer program and waits for its "ok".
pointer() {
    local reply=""
    echo "$1" >&"${POINTER[1]}" 2>/dev/null || fail "the pointer program has ended ($(cat "$WORK/pointer.log"))"
    read -r -t 10 reply <&"${POINTER[0]}"
    [ "$reply" = ok ] || fail "the pointer program did not do \"$1\": ${reply:-no answer} $(cat "$WORK/pointer.log")"
}

mouse_to() { pointer "move $1 $2"; }
mouse_down() { pointer down; }
mouse_up() { pointer up; }

screenshot() {
    [ -n "${GAME_WIN:-}" ] && import -window "$GAME_WIN" "$NATIVE_OUT/$SCENARIO-$1.png"
}

client_image() {
    import -window "$GAME_WIN" -crop "${CLIENT_W}x${CLIENT_H}+0+0" +repage "$1"
}

pixel() {
    import -window "$GAME_WIN" -crop "1x1+$1+$2" +repage -depth 8 txt:- |
        sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p' | head -n 1
}
