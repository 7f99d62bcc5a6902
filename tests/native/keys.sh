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

install_game
place_target "$WORK/targets/fletcher"
start_target "$WORK/targets/fletcher" FletcherTarget 0 0
derive_hero "$WORK/targets/fletcher"
start_game
shoot_at_target FletcherTarget
atspi wait-text panel-3 "~$H_NAME を射止めた!" || fail "no hero from the fletcher"
DISTANCE=0 TIME_LEFT=400 AT_REST=1 FALLS=0 GAINED=0
NL=$'\n'

# Reads the panels and buttons: LOG (one line, line feeds as \n), LAST (its
# newest line), STATUS and its numbers (S_...), LABEL and BACK_LABEL, and
# REST_ON, HEAL_ON, TRUMP_SHOWN, MARK_ON (1 when so).
read_game() {
    local state
    mapfile -t state < <(atspi line panel-3 + line panel-1 + text control-101 + text control-104 \
        + enabled control-102 + enabled control-105 + visible control-103 + enabled control-106)
    [ ${#state[@]} = 8 ] || fail "cannot read the game: ${state[*]}"
    LOG=${state[0]} STATUS=${state[1]} LABEL=${state[2]} BACK_LABEL=${state[3]}
    REST_ON=${state[4]} HEAL_ON=${state[5]} TRUMP_SHOWN=${state[6]} MARK_ON=${state[7]}
    local log=${LOG%\\n}
    LAST=${log##*\\n >}
    parse_status "$STATUS"
}

in_battle() {
    [ "$LABEL" = 攻撃 ]
}

# The buttons' labels and states must agree with the battle and the rest point.
check_buttons() {
    [ "$TRUMP_SHOWN" = 0 ] || fail "the trump card is shown without a second arrow"
    if in_battle; then
        [ "$BACK_LABEL" = 逃げる ] && [ "$REST_ON" = 0 ] && [ "$MARK_ON" = 1 ] ||
            fail "in battle at $DISTANCE: Back reads $BACK_LABEL, Rest enabled $REST_ON, MarkTime enabled $MARK_ON"
    else
        [ "$LABEL" = すすむ ] && [ "$BACK_LABEL" = もどる ] && [ "$REST_ON" = "$AT_REST" ] &&
            [ "$MARK_ON" = $((1 - AT_REST)) ] ||
            fail "at $DISTANCE: labels $LABEL/$BACK_LABEL, Rest enabled $REST_ON, MarkTime enabled $MARK_ON (rest point: $AT_REST)"
    fi
}

# One step by KEY (Up, Left or Down) to DISTANCE TO, which costs one unit
# of time: the progress line shows it once the step has been handled (a
# step has no pause), and a step onto a multiple of 10 is a rest point.
step() {
    local key=$1
    DISTANCE=$2
    TIME_LEFT=$((TIME_LEFT - 1))
    press_keys "$key"
    expect_progress "$DISTANCE" "$TIME_LEFT"
    read_game
    AT_REST=0
    if [ $((DISTANCE % 10)) = 0 ] && ! in_battle; then
        AT_REST=1
        [ "$LAST" = "【やすむ】コマンドが使えます。" ] || fail "no rest point announced at $DISTANCE: $LOG"
    fi
    check_buttons
}

# Walks with the up arrow until a battle is on.
walk_to_battle() {
    local deadline=$((SECONDS + 60))
    until in_battle; do
        [ $SECONDS -lt $deadline ] || fail "no battle within 60 s (at $DISTANCE)"
        step Up $((DISTANCE + 1))
    done
}

# One round of a battle by the up arrow: the hero's blow and, unless that
# won, the enemy's. The round has been handled to its end when the hero's
# new hit points show in the status panel (the panel is updated last), when
# a fall has sent the hero back, or when a victory has brought the labels back.
HISTORY=""
fight_round() {
    local hp=$S_HP seen newest damage
    activate_game
    seen=$(atspi key-watch panel-3 '/(のダメージを受けた!|はダメージを受けない!|の経験値を獲得!|を倒した!|DEF\+[0-9]+)\n$' 30 Up) ||
        fail "the up arrow in battle did not end its round"
    HISTORY+=$seen$'\n'
    newest=${seen##*$'\n'}
    newest=${newest%\\n}
    newest=${newest##*\\n >}
    if [[ "$newest" =~ ^([0-9]+)のダメージを受けた!$ ]]; then
        damage=${BASH_REMATCH[1]}
        if [ $((hp - damage)) -gt 0 ]; then
            atspi wait-text panel-1 "~ ＨＰ　 $((hp - damage))/$S_MAXHP" ||
                fail "the status panel does not show $hp - $damage hit points"
        else
            atspi wait-text panel-3 "~${H_NAME}は倒れた...$NL >10億光年戻ってしまった...。$NL >残り時間を40消費した...。$NL" >/dev/null ||
                fail "the hero at $hp hit points took $damage and did not fall"
            atspi wait-text control-101 すすむ || fail "the fallen hero is still in battle"
            FALLS=$((FALLS + 1))
            DISTANCE=$((DISTANCE > 10 ? DISTANCE - 10 : 0))
            TIME_LEFT=$((TIME_LEFT - 40))
        fi
    elif [[ "$newest" != *"はダメージを受けない!" ]]; then
        atspi wait-text control-101 すすむ || fail "the battle was won, but Advance still reads $(atspi text control-101)"
    fi
    read_game
    if [[ "$seen" =~ \>([0-9]+)の経験値を獲得! ]]; then
        GAINED=$((GAINED + BASH_REMATCH[1]))
    fi
}

fight_battle() {
    local deadline=$((SECONDS + 90))
    until ! in_battle; do
        [ $SECONDS -lt $deadline ] || fail "the battle at $DISTANCE did not end within 90 s"
        fight_round
    done
    case "$HISTORY" in *"を倒した!"*|*"は倒れた..."*) ;; *) fail "the battle ended without a victory or a fall: $HISTORY" ;; esac
    AT_REST=$REST_ON
    check_buttons
    expect_progress "$DISTANCE" "$TIME_LEFT"
    FOUGHT=1
}

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
    read_game
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
