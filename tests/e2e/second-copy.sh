# A second copy while the first runs minimised: the second exits with code 1
# and shows nothing; the first is restored and stays the only window of its class.
. "$(dirname "$0")/lib.sh"

install_game
start_game
drive wait TAVRENNE || fail "the game window did not appear"
# Minimise the first copy (WM_SYSCOMMAND, SC_MINIMIZE).
drive post TAVRENNE 0x0112 0xF020 0 || fail "cannot minimise the game"
wait_output 1 iconic TAVRENNE

rc=0
(cd / && wine "$GAME_EXE") || rc=$?
[ "$rc" -eq 1 ] || fail "the second copy exited with code $rc, not 1"
expect_output "1" count TAVRENNE
expect_output "0" count box:
wait_output 0 iconic TAVRENNE
drive wait TAVRENNE || fail "the first copy is not visible"
screenshot restored

close_game
echo "second copy left with code 1; the first was restored and closed with code 0"
