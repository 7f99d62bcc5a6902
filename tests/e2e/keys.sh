# The keyboard map on the real keyboard, each key behind its gate: a key
# whose button is disabled (or a key-down repeated in one message) does
# nothing, which shows when the next key's lines follow at once in the log.
# Rest on a rest point, F7 (seen only at the next panel update), a battle
# with its labels, a flight, an attack, healing until MP runs short, and F11.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/hero.sh"
. "$(dirname "$0")/journey.sh"

command -v xdotool >/dev/null || fail "xdotool is missing"
install_game
place_target "$WORK/targets/fletcher.exe"
start_target "$WORK/targets/fletcher.exe" FletcherTarget 0 0
derive_hero "$WORK/targets/fletcher.exe"
start_game
drive wait TAVRENNE || fail "the game window did not appear"
shoot_at_target FletcherTarget
drive wait-text TAVRENNE '#2' "~$H_NAME を射止めた!" || fail "no hero from fletcher.exe"
read_game

# Presses keys on the real keyboard, the last of which must change the log
# or the status panel; waits until it has been handled to its end and reads
# the game again.
key_act() {
    local before after deadline=$((SECONDS + 20))
    before=$(drive line TAVRENNE '#2' + line TAVRENNE '#0')
    press_keys "$@"
    until after=$(drive line TAVRENNE '#2' + line TAVRENNE '#0') && [ "$after" != "$before" ]; do
        [ $SECONDS -lt $deadline ] || fail "the keys $* changed neither the log nor the status"
        sleep 0.1
    done
    drive idle TAVRENNE || fail "the keys $* were not handled"
    read_game
}

# The log must be LINE... (five lines, the newest last).
expect_log() {
    local want="" line
    for line in "$@"; do
        want+=" >$line\\n"
    done
    [ "$LOG" = "$want" ] || fail "the log reads \"$LOG\", not \"$want\""
}

# The log must show LINE... right after the line that was newest before.
expect_next_lines() {
    local previous=$1 want="" line
    shift
    for line in "$@"; do
        want+=" >$line\\n"
    done
    case "$LOG" in
        *" >$previous\\n$want"*) ;;
        *) fail "after \"$previous\" the log should go on with \"$want\": $LOG" ;;
    esac
}

# One move: the up arrow for a step (seen in the progress line) or for the
# first blow of a battle; later blows by a click on the attack button (a
# blow may leave the log and the status as they were).
up_once() {
    if in_battle; then
        if [ "$first_blow" = 1 ]; then
            key_act Up
            first_blow=0
            case "$LOG" in *"${H_NAME}の攻撃!"*) ;; *) fail "the up arrow did not attack: $LOG" ;; esac
        else
            act 101
        fi
        count_battle_action
        [[ "$LAST" =~ ^([0-9]+)の経験値を獲得!$ ]] && gained=$((gained + BASH_REMATCH[1]))
    else
        press_keys Up
        expect_progress $((DISTANCE + 1)) $((TIME_LEFT - 1))
        drive idle TAVRENNE || fail "the step was not handled"
        read_game
        count_step
        first_blow=1
    fi
    check_buttons
}

# Presses the up arrow until a battle is on ("battle"), or until the hero
# is out of battle and off any rest point ("road").
walk_keys() {
    local presses=0
    until { [ "$1" = battle ] && in_battle; } ||
        { [ "$1" = road ] && ! in_battle && [ "$AT_REST" = 0 ]; }; do
        [ $presses -lt 60 ] || fail "no $1 within 60 presses of the up arrow (at $DISTANCE)"
        up_once
        presses=$((presses + 1))
    done
}

# At 0, a rest point: MarkTime is disabled, the trump card hidden, and Back
# has nowhere to go; then Enter rests.
got="$H_NAME を射止めた!"
rested="${H_NAME}は身体を休めた。"
key_act Left space Down Return
expect_log "" "" "$got" "$rested" "残り時間を5消費した...。"
TIME_LEFT=395
expect_progress 0 395
screenshot rested

# A key-down whose repeat count is 2 is dropped: the up arrow so sent is
# followed by Enter, and only the rest shows.
drive key TAVRENNE 0x26 2 + key TAVRENNE 0x0D || fail "cannot post the keys"
drive wait-text TAVRENNE '#2' \
    " >$got"$'\n'" >$rested"$'\n >残り時間を5消費した...。\n'" >$rested"$'\n >残り時間を5消費した...。\n' ||
    fail "a repeated key-down did something"
drive idle TAVRENNE
TIME_LEFT=390
read_game

# F7 three times, then the up arrow: the level-ups show nowhere yet.
status=$STATUS
gained=0
press_keys F7 F7 F7 Up
expect_progress 1 389
drive idle TAVRENNE
read_game
[ "$STATUS" = "$status" ] || fail "F7 showed in the status panel at once: $STATUS"
count_step
first_blow=1

# A battle: Enter (Rest, disabled) and the left arrow (MarkTime, enabled but
# idle in battle) do nothing; the down arrow flees.
walk_keys battle
expect_output 攻撃 text TAVRENNE 101
expect_output 逃げる text TAVRENNE 104
screenshot battle
previous=$LAST
key_act Return Left Down
expect_next_lines "$previous" 逃げた。 5億光年戻ってしまった...。 残り時間を10消費した...。
DISTANCE=$((DISTANCE > 5 ? DISTANCE - 5 : 0))
TIME_LEFT=$((TIME_LEFT - 10))
AT_REST=$((DISTANCE % 10 == 0 ? 1 : 0))
check_buttons
expect_progress "$DISTANCE" "$TIME_LEFT"

# Another battle, fought with the up arrow to its end.
walk_keys battle
until ! in_battle; do
    up_once
done
case "$LOG" in *"を倒した!"*|*"は倒れた..."*) ;; *) fail "the battle ended without a victory or a fall: $LOG" ;; esac
# The panel now shows the three levels from F7: level 4, 26 to the next,
# and 43 owed against what the victories brought.
[ "$S_LEVEL" = 4 ] && [ "$S_NEXTEXP" = 26 ] && [ "$S_EXP" = $((gained - 43)) ] ||
    fail "after three F7 and $gained experience the status reads: $STATUS"

# The right arrow heals while MP lasts.
while [ "$HEAL_ON" = 1 ] && ! in_battle; do
    key_act Right
    [ "$LAST" = "${H_NAME}の体力が$((S_MAXHP / 2))回復した。" ] || fail "the right arrow did not heal: $LOG"
done
[ "$S_MP" -lt 5 ] || fail "Heal is disabled with $S_MP MP"
# Then, off a rest point, Enter does nothing, nor does the right arrow
# unless the walk there brought MP back; the up arrow walks on.
walk_keys road
previous=$LAST
keys=(Right Return Up)
[ "$HEAL_ON" = 1 ] && keys=(Return Up)
press_keys "${keys[@]}"
expect_progress $((DISTANCE + 1)) $((TIME_LEFT - 1))
drive idle TAVRENNE
read_game
expect_next_lines "$previous" すすむ
count_step
expect_progress "$DISTANCE" "$TIME_LEFT"
screenshot walked

# F11 ends the game at once: the first screen.
press_keys F11
wait_output 0 visible TAVRENNE 101
expect_shown 0 101 102 103 104 105 106 '#0' '#1' '#2'
expect_first_screen
screenshot reset

close_game
echo "every key behind its gate; flight, battle, heal, rest, F7 and F11; at $DISTANCE with $TIME_LEFT left"
