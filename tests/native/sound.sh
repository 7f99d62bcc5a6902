# The sound, heard through SDL's disk audio driver, which writes what the
# game plays to a raw file in real time: silence on the first screen, the
# field music after the first arrow, the music still on at 89 and stopped
# from 90 on (the hero, raised by a hundred F7, walks there with the up
# arrow), and a step's sound effect out of that silence.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/../e2e/hero.sh"
. "$(dirname "$0")/journey.sh"

GAME_AUDIO=disk
install_game
place_target "$WORK/targets/bowstring"
start_target "$WORK/targets/bowstring" BowstringTarget 0 0
derive_hero "$WORK/targets/bowstring"
start_game

# How many seconds of sound the game has written so far.
audio_seconds() {
    local bytes
    bytes=$(stat -c %s "$GAME_AUDIO_FILE" 2>/dev/null || echo 0)
    awk -v b="$bytes" 'BEGIN { printf "%.3f\n", b / (44100 * 4) }'
}

# Waits until the sound file holds SECONDS (the driver writes in real time).
wait_audio() {
    holds() { awk -v have="$(audio_seconds)" -v want="$1" 'BEGIN { exit !(have >= want) }'; }
    wait_until 30 holds "$1" || fail "the sound output stopped at $(audio_seconds) s, short of $1 s"
}

# Sets PEAK and HEARD for the stretch FROM..TO (seconds), once it is written.
measure() {
    wait_audio "$2"
    read -r PEAK HEARD <<<"$("$NATIVE_TESTS/audio-level" "$GAME_AUDIO_FILE" "$1" "$2")" ||
        fail "cannot measure the sound from $1 s to $2 s"
    echo "sound from $1 s to $2 s: peak $PEAK, heard in $HEARD of it"
}

# Seconds of sound since START, as a number awk can add to.
plus() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", a + b }'
}

# ---- the first screen makes no sound ----
wait_audio 2
measure 0 2
[ "$PEAK" = 0 ] || fail "the first screen is not silent (peak $PEAK)"

# ---- the field music after the first arrow ----
shoot_at_target BowstringTarget
atspi wait-text panel-3 "~$H_NAME を射止めた!" || fail "no hero from the bowstring"
hit=$(audio_seconds)
# The success effect is over within a second; what follows is the music.
measure "$(plus "$hit" 1.5)" "$(plus "$hit" 4.5)"
awk -v h="$HEARD" 'BEGIN { exit !(h >= 0.5) }' && [ "$PEAK" -gt 1000 ] ||
    fail "no field music after the first arrow (peak $PEAK, heard in $HEARD)"

# ---- a hundred levels from F7, shown by a rest ----
mapfile -t f7 < <(yes F7 | head -n 100)
press_keys "${f7[@]}" Return
atspi wait-text panel-3 "~残り時間を5消費した...。" || fail "Enter did not rest at 0"
TIME_LEFT=395
expect_progress 0 395 20
read_game
[ "$S_LEVEL" = 101 ] || fail "after a hundred F7 and a rest the status reads $STATUS"

# ---- on to 89, where the music still plays ----
walk_to() {
    local goal=$1 moves=0
    until [ "$DISTANCE" = "$goal" ] && ! in_battle; do
        [ $moves -lt 600 ] || fail "did not reach $goal within 600 steps and battles (at $DISTANCE)"
        moves=$((moves + 1))
        if in_battle; then
            fight_battle
        else
            step Up $((DISTANCE + 1))
        fi
    done
}
walk_to 89
at=$(audio_seconds)
measure "$(plus "$at" 1.5)" "$(plus "$at" 3)"
[ "$PEAK" -gt 1000 ] || fail "the field music is not playing at 89 (peak $PEAK)"

# ---- at 90 the music stops ----
step Up 90
screenshot at-90
at=$(audio_seconds)
measure "$(plus "$at" 1.5)" "$(plus "$at" 3)"
[ "$PEAK" = 0 ] || fail "the music did not stop at 90 (peak $PEAK)"

# ---- a step out of the silence sounds its effect, and only that ----
before=$(audio_seconds)
step Up 91
measure "$before" "$(plus "$before" 1.5)"
[ "$PEAK" -gt 1000 ] || fail "the step from 90 to 91 made no sound (peak $PEAK)"
measure "$(plus "$before" 2)" "$(plus "$before" 3)"
[ "$PEAK" = 0 ] || fail "the sound went on after the step's effect (peak $PEAK)"
screenshot at-91

close_game
echo "silence, the field music, music at 89, silence from 90, a step's effect; $FALLS falls on the way"
