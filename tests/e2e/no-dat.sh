# Without the dat folder: one box per bitmap, in load order, then the game
# runs silently: effects and music requests fail quietly.
. "$(dirname "$0")/lib.sh"

install_game no-dat
start_game
for file in bg_green bg_red bg_gray bg_boss bg_last enemy01; do
    drive wait-text box: 65535 "dat\\$file.dat読み込み失敗" || fail "no box for $file.dat"
    expect_output "1" count box:
    [ "$file" = bg_green ] && screenshot first-box
    drive click box: 1 || fail "cannot close the box for $file.dat"
done
drive gone box: 10000 || fail "the last box did not close"
drive wait TAVRENNE || fail "the game window did not appear"
expect_output "0" count box:
# An end-of-track notice with no track open must be harmless.
drive post TAVRENNE 0x3B9 1 0 || fail "cannot post MM_MCINOTIFY"
expect_output "Tavrenne" text TAVRENNE .
background=$(drive syscolor 6)
drive wait-pixel TAVRENNE 5 5 "$background" || fail "the window was not painted"
screenshot running

close_game
echo "six boxes in order, then the game ran without dat and closed with code 0"
