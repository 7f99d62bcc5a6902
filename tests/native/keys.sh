# The keyboard map on the real keyboard, each key behind its gate. At the
# rest point of 0 the left arrow (MarkTime disabled), the space bar (no
# trump card) and the down arrow (nowhere to go back to) do nothing and
# Enter rests; F7 levels up, seen at the next panel update. The up arrow
# walks, the left arrow marks time and the down arrow steps back, each
# step seen in the painted progress line. A battle with its labels, where
# Enter and the left arrow do nothing and the down arrow flees; a battle
# fought with the up arrow to its end; the right arrow heals while MP
# lasts; F11 ends the game.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/../e2e/hero.sh"
. "$(dirname "$0")/journey.sh"

install_game
place_target "$WORK/targets/fletcher"
start_target "$WORK/targets/fletcher" FletcherTarget 0 0
derive_hero "$WORK/targets/fletcher"
start_game
shoot_at_target FletcherTarget
atspi wait-text panel-3 "~$H_NAME を射止めた!" || fail "no hero from the fletcher"

# ---- at the rest point of 0 ----
got="$H_NAME を射止めた!"
rested="${H_NAME}は身体を休めた。"
spent=残り時間を5消費した...。
read_game
check_buttons
press_keys Left space Down Return
atspi wait-text panel-3 " >$NL >$NL >$got$NL >$rested$NL >$spent$NL" ||
    fail "the left arrow, space bar or down arrow did something at 0, or Enter did not rest"
TIME_LEFT=395
expect_progress 0 395
screenshot rested

# F7 three times, then Enter: the rest's panel update shows the three levels.
press_keys F7 F7 F7 Return
atspi wait-text panel-3 " >$got$NL >$rested$NL >$spent$NL >$rested$NL >$spent$NL" || fail "the second rest was not logged"
TIME_LEFT=390
expect_progress 0 390
read_game
read -r owed next <<<"$(levels_owed 3)"
[ "$S_LEVEL" = 4 ] && [ "$S_EXP" = "$owed" ] && [ "$S_NEXTEXP" = "$next" ] && [ "$S_HP" = "$S_MAXHP" ] ||
    fail "after three F7 and a rest the status reads: $STATUS"
LEVEL_EXP=$S_EXP

# ---- a battle, fled ----
walk_to_battle
screenshot battle
previous=$LAST
press_keys Return Left Down
atspi wait-text panel-3 "~ >$previous$NL >逃げた。$NL >5億光年戻ってしまった...。$NL >残り時間を10消費した...。$NL" ||
    fail "Enter or the left arrow did something in battle, or the down arrow did not flee"
atspi wait-text control-101 すすむ || fail "the flight did not end the battle"
DISTANCE=$((DISTANCE > 5 ? DISTANCE - 5 : 0))
TIME_LEFT=$((TIME_LEFT - 10))
AT_REST=$((DISTANCE % 10 == 0 ? 1 : 0))
read_game
check_buttons
expect_progress "$DISTANCE" "$TIME_LEFT"

# ---- marking time and stepping back, off a rest point ----
FOUGHT=0
until [ "$DISTANCE" -gt 0 ] && [ "$AT_REST" = 0 ] && ! in_battle; do
    if in_battle; then fight_battle; else step Up $((DISTANCE + 1)); fi
done
step Left "$DISTANCE"
case "$LOG" in *" >あしぶみ\\n"*) ;; *) fail "the left arrow did not mark time: $LOG" ;; esac
in_battle && fight_battle
if [ "$DISTANCE" -gt 0 ]; then
    step Down $((DISTANCE - 1))
    case "$LOG" in *" >もどる\\n"*) ;; *) fail "the down arrow did not step back: $LOG" ;; esac
fi

# ---- a battle fought with the up arrow ----
if [ "$FOUGHT" = 0 ]; then
    walk_to_battle
    fight_battle
fi
if [[ "$HISTORY" != *"レベルアップ!"* ]]; then
    [ "$S_LEVEL" = 4 ] && [ "$S_EXP" = $((LEVEL_EXP + GAINED)) ] ||
        fail "after $GAINED experience from battles the status reads: $STATUS"
fi
screenshot fought

# ---- the right arrow heals while MP lasts ----
while [ "$HEAL_ON" = 1 ] && ! in_battle; do
    hp=$((S_HP + S_MAXHP / 2 > S_MAXHP ? S_MAXHP : S_HP + S_MAXHP / 2))
    press_keys Right
    atspi wait-text panel-1 "$(status_text "$H_NAME" "$S_LEVEL" "$hp" "$S_MAXHP" $((S_MP - 5)) "$S_MAXMP" \
        "$S_ATTACK" "$S_DEFENCE" "$S_EXP" "$S_NEXTEXP")" || fail "the right arrow did not heal with $S_MP MP"
    # The panel shows the heal before the pause that ends it; the buttons
    # are set after that pause, and the next key waits for them.
    heal_over() { read_game; [ "$HEAL_ON" = $((S_MP >= 5 ? 1 : 0)) ]; }
    wait_until 10 heal_over || fail "Heal is still enabled $HEAL_ON with $S_MP MP after the heal"
    [ "$LAST" = "${H_NAME}の体力が$((S_MAXHP / 2))回復した。" ] || fail "the heal's line is missing: $LOG"
done
in_battle || [ "$S_MP" -lt 5 ] || fail "Heal is disabled with $S_MP MP"
expect_progress "$DISTANCE" "$TIME_LEFT"

# ---- F11 ends the game at once ----
press_keys F11
hidden() { [ "$(atspi visible control-101)" = 0 ]; }
wait_until 10 hidden || fail "F11 did not end the game"
expect_shown 0 control-101 control-102 control-103 control-104 control-105 control-106 panel-1 panel-2 panel-3
expect_first_screen
screenshot reset

close_game
echo "every key behind its gate: rests, three F7, a flight, marking time, a step back, a battle ($FALLS falls), heals and F11; at $DISTANCE with $TIME_LEFT left"
