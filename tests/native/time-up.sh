# The time running out: eighty rests at 0 spend the 400 units. The keys
# come faster than the rests' pauses and wait their turn; the 80th rest
# shows the box captioned Tavrenne while the progress line already reads 0
# left, and closing it brings the first screen back, from which a new game
# starts with the whole time.
. "$(dirname "$0")/lib.sh"

install_game
place_target "$WORK/targets/hourglass"
start_target "$WORK/targets/hourglass" HourglassTarget 0 0
start_game
shoot_at_target HourglassTarget
atspi wait-text panel-3 "~hourglass を射止めた!" || fail "no hero from the hourglass"

# 79 presses of Enter leave 5 units, each rest logged the same.
mapfile -t returns < <(yes Return | head -n 79)
press_keys "${returns[@]}"
expect_progress 0 5 60
spent=$' >残り時間を5消費した...。\n'
rested=$' >hourglassは身体を休めた。\n'
atspi wait-text panel-3 "$spent$rested$spent$rested$spent" ||
    fail "the log after the rests is not the rests' own"
expect_atspi 1 enabled control-102
expect_atspi 0 boxes

# The 80th runs the time out.
press_keys Return
atspi wait-box Tavrenne "時間切れです。宇宙は滅亡しました。" || fail "no time-up box"
expect_atspi 1 boxes Tavrenne
expect_progress 0 0
screenshot box
atspi press-ok Tavrenne || fail "cannot close the time-up box"

# The first screen: no hero, no control, an empty log.
expect_shown 0 control-101 control-102 control-103 control-104 control-105 control-106 panel-1 panel-2 panel-3
expect_atspi ' >\n >\n >\n >\n >\n' line panel-3
expect_first_screen
screenshot first-screen

# A new game at once, with the whole time again.
shoot_at_target HourglassTarget
atspi wait-text panel-3 $' >\n >\n >\n >\n >hourglass を射止めた!\n' || fail "no new hero after the time-up"
expect_progress 0 400
screenshot new-game

close_game
echo "the time ran out on the 80th rest; the box, the first screen, a new game with the whole time"
