# The White Arrow refused: releases on the game's own window (the box on
# every third, counted across games), on a program written today (too
# young), on one whose file is locked and on one whose file was deleted
# after it started (the failure box), and quick drags on the young program.
# After each nothing else has changed and the arrow can be drawn again at
# once; then a hit on an old program makes a hero, and with a hero the
# arrow cannot be drawn.
. "$(dirname "$0")/lib.sh"

command -v xdotool >/dev/null || fail "xdotool is missing"
install_game
place_target "$WORK/targets/old.exe"
place_target "$WORK/targets/young.exe"
touch "$WORK/targets/young.exe"
place_target "$WORK/targets/locked.exe"
place_target "$WORK/targets/gone.exe"
start_target "$WORK/targets/old.exe" OldTarget 0 0
start_target "$WORK/targets/young.exe" YoungTarget 0 130
start_target "$WORK/targets/locked.exe" LockedTarget 0 260 lock
start_target "$WORK/targets/gone.exe" GoneTarget 0 390
rm "$WORK/targets/gone.exe"

start_game
drive wait TAVRENNE || fail "the game window did not appear"
expect_first_screen

# What a refusal must leave as it was: no hero, no control, the log as it
# was (empty before the first game, five empty lines after one), the first
# screen.
unchanged() {
    expect_output 0 count box:失敗
    expect_shown 0 101 102 103 104 105 106 '#0' '#1' '#2'
    expect_output "$log_before" line TAVRENNE '#2'
    expect_first_screen
}

# Shoots with the release at screen X,Y and expects the box TEXT (none if empty).
refused() {
    local what=$1 text=$2 x=$3 y=$4
    shoot_at_screen "$x" "$y"
    if [ -n "$text" ]; then
        drive wait-text box:失敗 65535 "$text" || fail "$what: no box"
        screenshot "$5"
        drive click box:失敗 1 || fail "$what: cannot close the box"
        drive gone box:失敗 || fail "$what: the box did not close"
    fi
    drive wait-pixel TAVRENNE 64 70 FFFFFF || fail "$what: the grab icon did not come back"
    unchanged
}

log_before=""
game_origin
own="ホワイトアローは、窓の外に射ってください。"
refused "the first miss" "" $((OX + 200)) $((OY + 250))
refused "the second miss" "" $((OX + 20)) $((OY + 20))
refused "the third miss" "$own" $((OX + 120)) $((OY + 300)) third-miss

read -r x y <<<"$(drive origin YoungTarget)"
refused "the young program" $'窓を射止めた。\nしかし、この窓は若すぎた。' $((x + 80)) $((y + 60)) too-young
# Quick drags, pressed, moved and released in one go: the release may come
# before the game has taken the press, and the arrow still shoots.
tx=$((x + 80)) ty=$((y + 60))
for i in 1 2 3 4 5; do
    game_origin
    drive wait-pixel TAVRENNE 64 70 FFFFFF || fail "quick drag $i: the grab icon is not shown"
    mouse_to $((OX + 66)) $((OY + 66))
    xdotool mousedown 1 mousemove "$tx" "$ty" mouseup 1
    drive wait-text box:失敗 65535 $'窓を射止めた。\nしかし、この窓は若すぎた。' ||
        fail "quick drag $i came to nothing: no box"
    drive click box:失敗 1 || fail "cannot close the box of quick drag $i"
    drive gone box:失敗 || fail "the box of quick drag $i did not close"
done
drive wait-pixel TAVRENNE 64 70 FFFFFF || fail "after the quick drags the grab icon did not come back"
unchanged
read -r x y <<<"$(drive origin LockedTarget)"
refused "the locked file" "窓を射止めるのに失敗した(原因不明)" $((x + 80)) $((y + 60)) locked
read -r x y <<<"$(drive origin GoneTarget)"
refused "the deleted file" "窓を射止めるのに失敗した(原因不明)" $((x + 80)) $((y + 60)) deleted

# The arrow works at once: a hero from the old program.
shoot_at_target OldTarget
drive wait-text TAVRENNE '#2' $' >\n >\n >\n >\n >old を射止めた!\n' || fail "no hero from old.exe"

# With a hero and no second arrow offered, a drag from the grab spot does
# nothing: the release on the young program brings no box, and the up
# arrow pressed after it walks the same hero.
game_origin
read -r x y <<<"$(drive origin YoungTarget)"
mouse_to $((OX + 66)) $((OY + 66))
xdotool mousedown 1
mouse_to $((x + 80)) $((y + 60))
xdotool mouseup 1
press_keys Up
drive wait-text TAVRENNE '#2' "~すすむ" || fail "the up arrow after the drag did nothing"
drive idle TAVRENNE
expect_output 0 count box:失敗
log=$(drive line TAVRENNE '#2')
case "$log" in *">old を射止めた!\n >すすむ\n"*) ;; *) fail "the log after the drag reads: $log" ;; esac
case "$(drive line TAVRENNE '#0')" in "【old】Lv1 "*) ;; *) fail "the hero changed: $(drive line TAVRENNE '#0')" ;; esac

# F11 ends the game; the misses count on: two more are silent, the sixth
# shows the box again.
press_keys F11
wait_output 0 visible TAVRENNE 101
log_before=' >\n >\n >\n >\n >\n'
unchanged
refused "the fourth miss" "" $((OX + 200)) $((OY + 250))
refused "the fifth miss" "" $((OX + 200)) $((OY + 250))
refused "the sixth miss" "$own" $((OX + 200)) $((OY + 250)) sixth-miss

close_game
echo "silent misses, boxes on the 3rd and 6th, too young, locked, deleted; a hero from old.exe"
