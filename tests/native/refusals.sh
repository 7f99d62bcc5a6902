# The White Arrow refused: releases on the game's own window (the box on
# the third), on a program written today (too young), on the bare desktop
# (the root window) and on a program whose file was deleted after it
# started (the failure box), and quick drags on the young program. After
# each nothing else has changed and the arrow can be drawn again at once;
# then a hit on an old program makes a hero, and with a hero the arrow
# cannot be drawn.
. "$(dirname "$0")/lib.sh"

install_game
place_target "$WORK/targets/old"
place_target "$WORK/targets/young"
touch "$WORK/targets/young"
place_target "$WORK/targets/gone"
start_target "$WORK/targets/old" OldTarget 0 0
start_target "$WORK/targets/young" YoungTarget 0 160
start_target "$WORK/targets/gone" GoneTarget 0 320
rm "$WORK/targets/gone"
start_game
expect_first_screen

# What a refusal must leave as it was: no box, no control, an empty log,
# the first screen.
unchanged() {
    expect_atspi 0 boxes
    expect_shown 0 control-101 control-102 control-103 control-104 control-105 control-106 panel-1 panel-2 panel-3
    expect_atspi "" line panel-3
    expect_first_screen
}

# Shoots with the release at screen X,Y and expects the box TEXT captioned
# 失敗 (no box if TEXT is empty), photographed as NAME.
refused() {
    local what=$1 text=$2 x=$3 y=$4
    shoot_at_screen "$x" "$y"
    [ -n "$text" ] && answer_box 失敗 "$text" "$5"
    wait_pixel 64 70 FFFFFF || fail "$what: the grab icon did not come back"
    unchanged
}

origin_of
own="ホワイトアローは、窓の外に射ってください。"
refused "the first miss" "" $((OX + 200)) $((OY + 250))
refused "the second miss" "" $((OX + 20)) $((OY + 20))
refused "the third miss" "$own" $((OX + 120)) $((OY + 300)) third-miss

failure="窓を射止めるのに失敗した(原因不明)"
origin_of "${TARGET_WIN[YoungTarget]}"
refused "the young program" $'窓を射止めた。\nしかし、この窓は若すぎた。' $((OX + 80)) $((OY + 60)) too-young
# Quick drags, pressed, moved and released in one go: the release may reach
# the game only after it has taken the press, and the arrow still shoots.
young="窓を射止めた。"$'\n'"しかし、この窓は若すぎた。"
origin_of "${TARGET_WIN[YoungTarget]}"
tx=$((OX + 80)) ty=$((OY + 60))
for i in 1 2 3 4 5; do
    origin_of
    wait_pixel 64 70 FFFFFF || fail "quick drag $i: the grab icon is not shown"
    mouse_to $((OX + 66)) $((OY + 66))
    xdotool mousedown 1 mousemove "$tx" "$ty" mouseup 1
    atspi wait-box 失敗 "$young" || fail "quick drag $i came to nothing: no box \"$young\""
    atspi press-ok 失敗 || fail "cannot close the box of quick drag $i"
done
wait_pixel 64 70 FFFFFF || fail "after the quick drags the grab icon did not come back"
unchanged
refused "the bare desktop" "$failure" 900 700 desktop
origin_of "${TARGET_WIN[GoneTarget]}"
refused "the deleted program" "$failure" $((OX + 80)) $((OY + 60)) deleted

# The arrow works at once: a hero from the old program.
shoot_at_target OldTarget
atspi wait-text panel-3 $' >\n >\n >\n >\n >old を射止めた!\n' || fail "no hero from the old program"

# With a hero and no second arrow offered, a drag from the grab spot does
# nothing: the release on the young program brings no box, and the up
# arrow pressed after it walks the same hero.
origin_of "${TARGET_WIN[YoungTarget]}"
x=$((OX + 80)) y=$((OY + 60))
origin_of
mouse_to $((OX + 66)) $((OY + 66))
xdotool mousedown 1
mouse_to "$x" "$y"
xdotool mouseup 1
press_keys Up
atspi wait-text panel-3 $'~ >\n >old を射止めた!\n >すすむ\n' ||
    fail "the up arrow after the drag did not walk on from the hero's first line"
expect_atspi 0 boxes
case "$(atspi line panel-1)" in "【old】Lv1 "*) ;; *) fail "the hero changed: $(atspi line panel-1)" ;; esac
screenshot walked

close_game
echo "silent misses and the box on the third, too young, the bare desktop, a deleted program; a hero from the old one"
