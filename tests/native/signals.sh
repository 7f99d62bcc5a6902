# The game ends when the system asks it to: TERM (as at logout or from
# kill) and INT (Ctrl+C in the terminal it was started from) each end a
# running game within 5 s, with its sound device open as a player's would be.
. "$(dirname "$0")/lib.sh"

install_game
for signal in TERM INT; do
    start_game
    expect_first_screen
    screenshot "before-$signal"
    kill -s "$signal" "$GAME_PID"
    ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }
    wait_until 5 ended || fail "the game did not end within 5 s of $signal"
    wait_game_exit
    echo "$signal ended the game (exit status $GAME_RC)"
done
