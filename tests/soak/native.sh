# The soak of the native edition, under the sanitizers, on a desktop of its
# own (run by tests/native/run-scenario): the seeded plan SOAK_SEED of
# SOAK_INPUTS inputs sent by soak-x11 through XTest, the game read through
# AT-SPI by atspi-watch, the checks after every burst, the last check's
# first arrow and twenty steps; then the targets must be as they were and
# the game must end cleanly when its window is closed.
# Environment: those of tests/native/lib.sh, and SOAK_X11 (the soak program),
# SOAK_SEED, SOAK_INPUTS.
. "$(dirname "$0")/../native/lib.sh"
. "$(dirname "$0")/../e2e/hero.sh"
SOAK=$(cd "$(dirname "$0")" && pwd)
SOAK_SEED=${TAVRENNE_SOAK_SEED:-$SOAK_SEED}
started=$SECONDS

install_game
# Where the windows go: the targets left and right of the game (which the
# window manager centres), and a stretch of bare desktop below them.
place_target "$WORK/targets/bullseye"
place_target "$WORK/targets/sapling"
touch "$WORK/targets/sapling"  # written today: too young
start_target "$WORK/targets/bullseye" BullseyeTarget 10 10 icon
start_target "$WORK/targets/sapling" SaplingTarget 10 220
finales=()
for i in 1 2 3; do
    place_target "$WORK/targets/finale$i"
    start_target "$WORK/targets/finale$i" "Finale${i}Target" 790 $((10 + (i - 1) * 190))
    derive_hero "$WORK/targets/finale$i"
    status=$(status_text "$H_NAME" 1 "$H_MAXHP" "$H_MAXHP" "$H_MAXMP" "$H_MAXMP" "$H_ATTACK" "$H_DEFENCE" 0 10)
    finales+=(--finale "${TARGET_WIN[Finale${i}Target]}" "$H_NAME を射止めた!" "${status//$'\n'/\\n}")
done
# The targets' bytes and last-write times, to compare at the end.
(cd "$WORK/targets" && sha256sum ./* >"$WORK/targets.sha256" && stat -c '%n %y' ./* >"$WORK/targets.times")

start_game
mkfifo "$WORK/watch-ready" "$WORK/watch-requests"
/usr/bin/python3 "$SOAK/atspi-watch" "$WORK/events" "$GAME_PID" "$WORK/watch-requests" >"$WORK/watch-ready" \
    2>"$WORK/watch.log" &
watcher=$!
read -r -t 30 ready <"$WORK/watch-ready" || true
[ "${ready:-}" = ready ] || fail "the AT-SPI watcher did not start: $(cat "$WORK/watch.log")"

# For a failure's report: where the game's threads are, the state of its
# message loop and of GTK's grabs, twice, five seconds apart (gdb, where the
# machine has it).
game_state() {
    command -v gdb >/dev/null && [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null || return 0
    local take
    for take in 1 2; do
        [ $take = 2 ] && sleep 5
        echo "---- the game's state, take $take: ----"
        timeout 120 gdb -batch -p "$GAME_PID" -ex 'set print elements 3' -ex 'thread apply all bt 40' \
            -ex "print 'loop.cpp'::pauseDepth" -ex "print 'loop.cpp'::boxDepth" \
            -ex "print 'loop.cpp'::replaying" -ex "print 'loop.cpp'::replaySource" \
            -ex "print 'loop.cpp'::waiting" -ex 'print (void*) gtk_grab_get_current()' \
            -ex 'print (long) g_get_monotonic_time()' -ex 'frame function platform::pause' -ex 'info locals' \
            </dev/null 2>&1 | grep -E '^(#|Thread|\$|over|deadline|timer)'
        echo "the log as AT-SPI reads it now: \"$(NATIVE_GAME_PID=$GAME_PID timeout 30 /usr/bin/python3 "$NATIVE_TESTS/atspi" line panel-3 2>&1)\""
        echo "the watcher: $(ps -o pid=,stat=,wchan=,time= -p "$watcher" 2>&1); $(wc -l <"$WORK/events") events written"
    done >"$WORK/game-state.txt"
}

rc=0
"$SOAK_X11" --seed "$SOAK_SEED" --inputs "$SOAK_INPUTS" --game "$GAME_WIN" "$GAME_PID" \
    --target "${TARGET_WIN[BullseyeTarget]}" --young "${TARGET_WIN[SaplingTarget]}" --desktop 650 580 360 180 \
    --events "$WORK/events" --requests "$WORK/watch-requests" --sanitizer "$WORK/sanitizer" --log "$WORK/game.log" "${finales[@]}" \
    >"$WORK/soak.log" 2>&1 || rc=$?
[ $rc -ne 0 ] && game_state
kill "$watcher" 2>/dev/null
wait "$watcher" 2>/dev/null
if [ $rc -ne 0 ]; then
    grep -v '^burst ' "$WORK/soak.log" | tail -n 40
    echo "the game's state (also in $WORK/game-state.txt):"
    cat "$WORK/game-state.txt"
    fail "the soak of seed $SOAK_SEED failed (its log: $WORK/soak.log)"
fi

(cd "$WORK/targets" && sha256sum --quiet -c "$WORK/targets.sha256") || fail "a target program's bytes changed"
(cd "$WORK/targets" && stat -c '%n %y' ./*) | cmp -s - "$WORK/targets.times" ||
    fail "a target program's last-write time changed"
close_game
grep -v '^burst ' "$WORK/soak.log"
echo "native soak of seed $SOAK_SEED: targets unchanged, a clean end; $((SECONDS - started)) s in all"
