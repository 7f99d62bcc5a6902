# The White Arrow on a KDE Plasma Wayland session (a headless KWin with
# Xwayland, run-scenario's kwin desktop): the game, an X11 program, asks
# KWin whose window is under the pointer. A release on the game's own
# window is a miss; on the native weston-terminal lying over an xterm it
# makes a hero of weston-terminal (the numbers of md5sum), not of the xterm
# beneath; after F11, a drag onto the bare background ends in the failure
# box; and the xterm where nothing covers it gives its hero.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/wayland.sh"
. "$(dirname "$0")/../e2e/hero.sh"

for program in /usr/bin/xterm /usr/bin/weston-terminal; do
    [ -x "$program" ] || fail "$program is missing (see scripts/packages)"
done

# Moves the window of KWin's resource class CLASS to X,Y (its frame's
# corner), with the size W x H if given, and waits until KWin has it there.
place_window() {
    local class=$1 x=$2 y=$3 w=${4:-} h=${5:-} want="$2,$3${4:+,$4,$5}" got=""
    placed() {
        got=$("$NATIVE_TESTS/kwin-ask" "var found = [];
            workspace.clientList().forEach(function (w) {
                if (w.resourceClass != '$class') return;
                var g = w.frameGeometry;
                var has = [g.x, g.y${w:+, g.width, g.height}].join();
                if (has != '$want')
                    w.frameGeometry = {x: $x, y: $y, width: ${w:-g.width}, height: ${h:-g.height}};
                found.push(has);
            });
            return found.join(' ');") || fail "KWin did not answer: $got"
        [ "$got" = "$want" ]
    }
    wait_until 10 placed || fail "KWin does not show the window of $class at $want but at \"$got\""
}

install_game
# The xterm on the right, the weston-terminal over its right half.
start_program XTerm /usr/bin/xterm -geometry 40x10+600+50 -e cat
(cd / && exec weston-terminal) >>"$WORK/targets.log" 2>&1 </dev/null &
TARGET_PIDS+=($!)
start_game
place_window tavrenne 40 40
place_window org.freedesktop.weston.wayland-terminal 700 100
expect_first_screen

# The game's own window: the first miss, no box, nothing changed.
shoot_at_client 200 250
wait_pixel 64 70 FFFFFF || fail "after the release on the game's own window the grab icon did not come back"
expect_atspi 0 boxes
expect_shown 0 control-101 panel-1 panel-3

# The weston-terminal where it covers the xterm: its hero, not the xterm's.
derive_hero /usr/bin/weston-terminal
shoot_at_screen 760 150
atspi wait-text panel-3 $' >\n >\n >\n >\n >'"$H_NAME"$' を射止めた!\n' ||
    fail "no hero was made from weston-terminal over the xterm ($(atspi line panel-3))"
expect_atspi "$(status_text "$H_NAME" 1 "$H_MAXHP" "$H_MAXHP" "$H_MAXMP" "$H_MAXMP" "$H_ATTACK" "$H_DEFENCE" 0 10)" \
    text panel-1
screenshot weston-terminal
echo "hero $H_NAME from /usr/bin/weston-terminal: HP $H_MAXHP, MP $H_MAXMP, attack $H_ATTACK, defence $H_DEFENCE"

# F11 ends the game; the next drag, onto the bare background, shoots: the
# failure box.
press_keys F11
wait_hidden() { [ "$(atspi visible control-101)" = 0 ]; }
wait_until 10 wait_hidden || fail "F11 did not end the game"
expect_first_screen
shoot_at_screen 500 700
answer_box 失敗 "窓を射止めるのに失敗した(原因不明)" background
wait_pixel 64 70 FFFFFF || fail "after the failure box the grab icon did not come back"

# The xterm where nothing covers it: its hero.
derive_hero /usr/bin/xterm
shoot_at_screen 620 70
atspi wait-text panel-3 $' >\n >\n >\n >\n >'"$H_NAME"$' を射止めた!\n' ||
    fail "no hero was made from the bare xterm ($(atspi line panel-3))"
expect_atspi "$(status_text "$H_NAME" 1 "$H_MAXHP" "$H_MAXHP" "$H_MAXMP" "$H_MAXMP" "$H_ATTACK" "$H_DEFENCE" 0 10)" \
    text panel-1
screenshot xterm
echo "hero $H_NAME from /usr/bin/xterm: HP $H_MAXHP, MP $H_MAXMP, attack $H_ATTACK, defence $H_DEFENCE"
close_game
