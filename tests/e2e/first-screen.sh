# The first screen: nothing but the grab icon at (50,50) on the window
# background, no control shown; the window centred in the work area at
# 245 x 360; closing it ends the process with code 0.
. "$(dirname "$0")/lib.sh"

install_game
# The game in a folder and under a name whose double-byte characters end in
# the backslash byte (表 is 95 5C and ソ 83 5C in Shift_JIS): it must still
# take the right folder as its own and find dat/ there, with no box.
mkdir "$WORK/game/表ソ"
mv "$WORK/game/dat" "$WORK/game/表ソ/dat"
mv "$GAME_EXE" "$WORK/game/表ソ/ソ表.exe"
GAME_EXE=$WORK/game/表ソ/ソ表.exe
# Wine finds bitmaps beside the exe whatever the working folder, but the
# sound effects are read from the working folder: the file trace shows them.
GAME_WINEDEBUG=-all,trace+file start_game
drive wait TAVRENNE || fail "the game window did not appear"
[ "$(game_log_count 'CreateFileW L"dat\\swit004.wav"')" -ge 1 ] || fail "the first sound effect was not read"
[ "$(game_log_count 'swit004.wav" not found')" -eq 0 ] || fail "the sound effects were not found: wrong working folder"
expect_output "Tavrenne" text TAVRENNE .
expect_output "0" count box:

for control in '#0' '#1' '#2' 101 102 103 104 105 106; do
    expect_output "0" visible TAVRENNE "$control"
done
expect_output "すすむ" text TAVRENNE 101
expect_output "回復(M5" text TAVRENNE 105
expect_output "切り札" text TAVRENNE 103

read -r left top right bottom <<<"$(drive rect TAVRENNE)"
read -r wl wt wr wb <<<"$(drive workarea .)"
[ $((right - left)) -eq 245 ] && [ $((bottom - top)) -eq 360 ] ||
    fail "window is $((right - left)) x $((bottom - top)), not 245 x 360"
[ "$left" -eq $(((wl + wr - 245) / 2)) ] && [ "$top" -eq $(((wt + wb - 360) / 2)) ] ||
    fail "window at $left,$top is not centred in the work area $wl,$wt-$wr,$wb"

expect_first_screen
screenshot first-screen

close_game
echo "first screen as expected; closed with code 0"
