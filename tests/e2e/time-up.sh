# The time running out: eighty rests at 0 spend the 400 units; the last
# shows the box captioned Tavrenne with its exact text while the progress
# line already reads 0 left, and closing it brings the first screen back,
# from which a new game starts with the full time.
. "$(dirname "$0")/lib.sh"

command -v xdotool >/dev/null || fail "xdotool is missing"
install_game
place_target "$WORK/targets/hourglass.exe"
start_target "$WORK/targets/hourglass.exe" HourglassTarget 0 0
start_game
drive wait TAVRENNE || fail "the game window did not appear"
shoot_at_target HourglassTarget
drive wait-text TAVRENNE '#2' "~hourglass を射止めた!" || fail "no hero from hourglass.exe"

# 79 clicks on Rest, each handled to its end, leave 5 units.
rests=()
for _ in $(seq 79); do
    rests+=(press TAVRENNE 102 10000 +)
done
drive "${rests[@]}" || fail "the rests did not all go through"
expect_output "1" enabled TAVRENNE 102
expect_progress 0 5
case "$(drive line TAVRENNE '#2')" in
    *"は身体を休めた。\n >残り時間を5消費した...。\n") ;;
    *) fail "the log after the rests reads: $(drive line TAVRENNE '#2')" ;;
esac

# The 80th, by the Enter key, runs the time out.
press_keys Return
drive wait-text box:Tavrenne 65535 "時間切れです。宇宙は滅亡しました。" || fail "no time-up box"
expect_output 1 count box:Tavrenne
expect_progress 0 0
screenshot box
drive click box:Tavrenne 1 || fail "cannot close the time-up box"
drive gone box:Tavrenne || fail "the time-up box did not close"

# The first screen: no hero, no control, an empty log.
wait_output 0 visible TAVRENNE 101
expect_shown 0 101 102 103 104 105 106 '#0' '#1' '#2'
expect_output ' >\n >\n >\n >\n >\n' line TAVRENNE '#2'
expect_first_screen
screenshot first-screen

# A new game at once, with the whole time again.
shoot_at_target HourglassTarget
drive wait-text TAVRENNE '#2' $' >\n >\n >\n >\n >hourglass を射止めた!\n' || fail "no new hero after the time-up"
expect_progress 0 400
screenshot new-game

close_game
echo "the time ran out on the 80th rest; the box, the first screen, a new game"
