# The soak of the Windows program under Wine (run by run-wine on a display of
# its own): the seeded plan SOAK_SEED of SOAK_INPUTS inputs played by soak.exe,
# the checks after every burst, the last check's first arrow and twenty
# steps; then the targets must be as they were and the game must end with
# code 0 when its window is closed.
# Environment: WINE_TEST_PREFIX, SOAK_OUT, SOAK_GAME, SOAK_DAT, SOAK_TARGET,
# SOAK_EXE, SOAK_SEED, SOAK_INPUTS.
set -u
. "$(dirname "$0")/../wine/env.sh" "$WINE_TEST_PREFIX"
. "$(dirname "$0")/../e2e/hero.sh"
started=$SECONDS
SOAK_SEED=${TAVRENNE_SOAK_SEED:-$SOAK_SEED}
WORK=$SOAK_OUT/wine
rm -rf "$WORK"
mkdir -p "$WORK/game" "$WORK/targets"
GAME_PID=
TARGET_PIDS=()

fail() {
    echo "FAIL [wine soak]: $*" >&2
    import -window root "$WORK/failed.png" 2>/dev/null
    exit 1
}

at_exit() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    for pid in "${TARGET_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
}
trap at_exit EXIT

# The Windows path of a file of this machine, as Wine's Z: drive shows it.
windows_path() {
    local path=$1
    echo "Z:${path//\//\\}"
}

# A copy of our target program at FILE, dated long ago so the age rule lets
# it through, with a line of its own past its end (a hero of its own);
# started with a window of class CLASS at X,Y.
start_target() {
    cp "$SOAK_TARGET" "$1"
    printf 'target %s\n' "$(basename "$1")" >>"$1"
    touch -d '2001-02-03 12:00' "$1"
    [ "${5:-}" = young ] && touch "$1"
    (cd / && exec wine "$1" "$2" "$3" "$4") >/dev/null 2>&1 </dev/null &
    TARGET_PIDS+=($!)
}

cp "$SOAK_GAME" "$WORK/game/Tavrenne.exe"
cp -r "$SOAK_DAT" "$WORK/game/dat"
start_target "$WORK/targets/bullseye.exe" BullseyeTarget 10 10
start_target "$WORK/targets/sapling.exe" SaplingTarget 10 220 young
finales=()
for i in 1 2 3; do
    start_target "$WORK/targets/finale$i.exe" "Finale${i}Target" 790 $((10 + (i - 1) * 190))
    derive_hero "$WORK/targets/finale$i.exe"
    status=$(status_text "$H_NAME" 1 "$H_MAXHP" "$H_MAXHP" "$H_MAXMP" "$H_MAXMP" "$H_ATTACK" "$H_DEFENCE" 0 10)
    finales+=(--finale "Finale${i}Target" "$H_NAME を射止めた!" "${status//$'\n'/\\n}")
done
(cd "$WORK/targets" && sha256sum ./* >"$WORK/targets.sha256" && stat -c '%n %y' ./* >"$WORK/targets.times")

(cd / && exec wine "$WORK/game/Tavrenne.exe") 2>"$WORK/game.log" &
GAME_PID=$!

rc=0
wine "$SOAK_EXE" --seed "$SOAK_SEED" --inputs "$SOAK_INPUTS" --target BullseyeTarget --young SaplingTarget \
    --desktop 650 580 360 180 --log "$(windows_path "$WORK/game.log")" "${finales[@]}" \
    >"$WORK/soak.log" 2>"$WORK/soak.err" || rc=$?
if [ $rc -ne 0 ]; then
    grep -v '^burst ' "$WORK/soak.log" | tail -n 40
    cat "$WORK/soak.err"
    fail "the soak of seed $SOAK_SEED failed (its log: $WORK/soak.log)"
fi

(cd "$WORK/targets" && sha256sum --quiet -c "$WORK/targets.sha256") || fail "a target program's bytes changed"
(cd "$WORK/targets" && stat -c '%n %y' ./*) | cmp -s - "$WORK/targets.times" ||
    fail "a target program's last-write time changed"
wine "$SOAK_EXE" --close TAVRENNE || fail "cannot close the game's window"
game_rc=0
wait "$GAME_PID" || game_rc=$?
GAME_PID=
[ "$game_rc" -eq 0 ] || fail "closing the window ended the game with code $game_rc, not 0"
grep -v '^burst ' "$WORK/soak.log"
echo "Windows soak of seed $SOAK_SEED: targets unchanged, a clean end; $((SECONDS - started)) s in all"
