# The first screen: a 237 x 333 client area that cannot be resized, titled
# Tavrenne, nothing but the grab icon at (50,50) on the window background
# and no control shown. A second copy exits with code 1 and brings the
# first forward, also out of its minimised state; closing the window ends
# the game with code 0 and frees its lock for the next start.
. "$(dirname "$0")/lib.sh"

install_game
start_game

info=$(xwininfo -id "$GAME_WIN")
size=$(sed -n 's/^ *Width: *//p' <<<"$info")x$(sed -n 's/^ *Height: *//p' <<<"$info")
[ "$size" = 237x333 ] || fail "the client area is $size, not 237x333"
hints=$(xprop -id "$GAME_WIN" WM_NORMAL_HINTS)
grep -q 'minimum size: 237 by 333' <<<"$hints" && grep -q 'maximum size: 237 by 333' <<<"$hints" ||
    fail "the window can be resized: $hints"
[ "$(xprop -id "$GAME_WIN" _NET_WM_NAME)" = '_NET_WM_NAME(UTF8_STRING) = "Tavrenne"' ] ||
    fail "the title is $(xprop -id "$GAME_WIN" _NET_WM_NAME)"
[ "$(xprop -id "$GAME_WIN" WM_CLASS)" = 'WM_CLASS(STRING) = "tavrenne", "TAVRENNE"' ] ||
    fail "the window class is $(xprop -id "$GAME_WIN" WM_CLASS)"

# Every control exists and is hidden; the buttons already carry their labels.
expect_shown 0 panel-1 panel-2 panel-3 control-101 control-102 control-103 control-104 control-105 control-106
expect_atspi すすむ text control-101
expect_atspi 回復\(M5 text control-105
expect_atspi 切り札 text control-103
expect_atspi 0 boxes
expect_first_screen
screenshot first-screen

# The game is the active window, until a target comes up over it.
place_target "$WORK/targets/cover"
start_target "$WORK/targets/cover" CoverTarget 300 200
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
wait_until 10 active_is "${TARGET_WIN[CoverTarget]}" || fail "the target did not take the focus"

# A second copy: code 1, and the first is the active window again.
second_copy() {
    local rc=0
    run_game || rc=$?
    [ "$rc" -eq 1 ] || fail "the second copy exited with code $rc, not 1 ($1)"
    check_sanitizers
}
second_copy "first copy behind a target"
wait_until 10 active_is "$GAME_WIN" || fail "the second copy did not bring the first forward"

# Minimised, the first copy is restored by the second.
xdotool windowminimize --sync "$GAME_WIN" || fail "cannot minimise the game"
state_is() { xprop -id "$GAME_WIN" WM_STATE | grep -q "window state: $1"; }
wait_until 10 state_is Iconic || fail "the game was not minimised"
second_copy "first copy minimised"
wait_until 10 state_is Normal || fail "the second copy did not restore the minimised first"
wait_until 10 active_is "$GAME_WIN" || fail "the restored first copy is not the active window"
[ "$(game_windows)" = "$GAME_WIN" ] ||
    fail "more than one game window is shown"
expect_atspi 0 boxes
expect_first_screen
screenshot restored

close_game

# The lock went with the process: the game starts again, and closes again.
start_game
expect_first_screen
close_game
echo "first screen as expected; second copies left with code 1 and brought the first forward; closed with code 0"
