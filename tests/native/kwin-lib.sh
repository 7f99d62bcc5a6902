# Sourced after lib.sh by the scenarios of a headless KWin session
# (run-scenario --kwin): the player's mouse through KWin's fake input
# protocol, the game's pixels from its own X window, the windows where KWin
# says they are (asked with scripts of ours run in KWin, kwin-ask), native
# Wayland programs, and the game closed by KWin as a player closes it.
# shellcheck shell=bash
# Environment (set by CTest): NATIVE_KWIN_POINTER, NATIVE_WL_TARGET.
[ "${XDG_CURRENT_DESKTOP:-}" = KDE ] && [ -n "${WAYLAND_DISPLAY:-}" ] ||
    fail "no KWin session here: run the scenario with run-scenario --kwin"

# ---- the player's hands ----

coproc POINTER { exec "$NATIVE_KWIN_POINTER" 2>>"$WORK/pointer.log"; }
TARGET_PIDS+=("$POINTER_PID")

# Sends one command to the pointer and waits until KWin has taken it.
pointer() {
    local reply=""
    echo "$*" >&"${POINTER[1]}" && read -r -t 10 reply <&"${POINTER[0]}"
    [ "$reply" = ok ] || fail "the pointer did not take \"$*\": ${reply:-no answer} $(cat "$WORK/pointer.log")"
}

# KWin's seat has a pointer only from the first pointer event on, and
# Xwayland makes its pointer devices when it learns of it: a press that came
# meanwhile would be lost. So the pointer moves once and the scenario waits
# for those devices.
pointer move 0 0
xwayland_pointer() { xinput list --name-only 2>/dev/null | grep -q '^xwayland-pointer'; }
wait_until 10 xwayland_pointer || fail "Xwayland has made no pointer device after the first move"

mouse_to() { pointer move "$1" "$2"; }
mouse_down() { pointer down; }
mouse_up() { pointer up; }

# ---- what the game shows ----

# A rootless Xwayland has no picture of the whole screen: the game's own
# window is what the scenario photographs and reads.
screenshot() {
    import -window "$GAME_WIN" "$NATIVE_OUT/$SCENARIO-$1.png"
}

client_image() {
    import -window "$GAME_WIN" -crop "${CLIENT_W}x${CLIENT_H}+0+0" +repage -depth 8 "$1"
}

pixel() {
    import -window "$GAME_WIN" -crop "1x1+$1+$2" +repage -depth 8 txt:- |
        sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p' | head -n 1
}

# ---- windows ----

# The frame geometry "X,Y,W,H" KWin gives the shown windows of resource
# class CLASS (one line each) after running the JavaScript statements JS
# on each of them as w (none: only asks).
kwin_windows() {
    "$NATIVE_TESTS/kwin-ask" "var found = [];
        workspace.clientList().forEach(function (w) {
            if (w.resourceClass != '$1' || w.minimized) return;
            ${2:-}
            var g = w.frameGeometry;
            found.push([g.x, g.y, g.width, g.height].join());
        });
        return found.join('\n');" || fail "KWin did not run our script"
}

# Moves the window of resource class CLASS to X,Y, keeping its size, and
# waits until KWin has it there; its geometry goes to WX WY WW WH.
place_window() {
    local class=$1 x=$2 y=$3 got=""
    placed() {
        got=$(kwin_windows "$class" "w.frameGeometry = {x: $x, y: $y, width: w.width, height: w.height};")
        [[ "$got" =~ ^$x,$y,[0-9]+,[0-9]+$ ]]
    }
    wait_until 10 placed || fail "KWin does not show the window of $class at $x,$y but at \"$got\""
    IFS=, read -r WX WY WW WH <<<"$got"
}

# Starts COMMAND... from the root folder and waits for its native window of
# resource class CLASS (its app id).
start_native() {
    local class=$1
    shift
    (cd / && exec "$@") >>"$WORK/targets.log" 2>&1 </dev/null &
    TARGET_PIDS+=($!)
    native_shown() { [ -n "$(kwin_windows "$class")" ]; }
    wait_until 15 native_shown || fail "no native window of class $class appeared ($1)"
}

# The game ends as when the player closes its window: KWin asks it to.
ask_to_close() {
    kwin_windows tavrenne 'if (!w.normalWindow) return; w.closeWindow();' >/dev/null
}
