# With one bitmap file missing its box appears with the exact text, an empty
# caption and no owner, and the game still starts.
. "$(dirname "$0")/lib.sh"

install_game without bg_red.dat
start_game
drive wait box: || fail "no load-failure box appeared"
expect_output 'dat\bg_red.dat読み込み失敗' text box: 65535
expect_output "1" count box:
screenshot box
drive click box: 1 || fail "cannot close the box"
drive gone box: 10000 || fail "the box did not close"
drive wait TAVRENNE || fail "the game window did not appear after the box"
expect_output "0" count box:
expect_output "0" visible TAVRENNE 101
background=$(drive syscolor 6)
drive wait-pixel TAVRENNE 5 5 "$background" || fail "the window was not painted"
screenshot started

close_game
echo "one box with the file's name, then the game ran and closed with code 0"
