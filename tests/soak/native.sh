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
mkfifo "$WORK/watch-ready"
/usr/bin/python3 "$SOAK/atspi-watch" "$WORK/events" "$GAME_PID" >"$WORK/watch-ready" 2>"$WORK/watch.log" &
watcher=$!
read -r -t 30 ready <"$WORK/watch-ready" || true
[ "${ready:-}" = ready ] || fail "the AT-SPI watcher did not start: $(cat "$WORK/watch.log")"

rc=0
"$SOAK_X11" --seed "$SOAK_SEED" --inputs "$SOAK_INPUTS" --game "$GAME_WIN" "$GAME_PID" \
    --target "${TARGET_WIN[BullseyeTarget]}" --young "${TARGET_WIN[SaplingTarget]}" --desktop 650 580 360 180 \
    --events "$WORK/events" --sanitizer "$WORK/sanitizer" --log "$WORK/game.log" "${finales[@]}" \
    >"$WORK/soak.log" 2>&1 || rc=$?
kill "$watcher" 2>/dev/null
wait "$watcher" 2>/dev/null
if [ $rc -ne 0 ]; then
    grep -v '^burst ' "$WORK/soak.log" | tail -n 40
    fail "the soak of seed $SOAK_SEED failed (its log: $WORK/soak.log)"
fi

(cd "$WORK/targets" && sha256sum --quiet -c "$WORK/targets.sha256") || fail "a target program's bytes changed"
(cd "$WORK/targets" && stat -c '%n %y' ./*) | cmp -s - "$WORK/targets.times" ||
    fail "a target program's last-write time changed"
close_game
grep -v '^burst ' "$WORK/soak.log"
echo "native soak of seed $SOAK_SEED: targets unchanged, a clean end; $((SECONDS - started)) s in all"
