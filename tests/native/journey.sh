# Sourced by the native scenarios that walk and fight with the keyboard:
# reading the game's panels and buttons, a step seen in the painted progress
# line, and a battle fought with the up arrow, each handled to its end
# before the next key. The distance and the time left, which only the
# progress line shows, are counted here and checked against it.
# shellcheck shell=bash
DISTANCE=0 TIME_LEFT=400 AT_REST=1 FALLS=0 GAINED=0 FOUGHT=0
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
    local steps=0
    until in_battle; do
        [ $steps -lt 60 ] || fail "no battle within 60 steps (at $DISTANCE)"
        step Up $((DISTANCE + 1))
        steps=$((steps + 1))
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
        # Every sixth step gives back a hit point without a panel update, and
        # a step's regeneration that reaches the maximum does not update the
        # panel either: the hero may have had more than the panel showed, up
        # to the maximum.
        local low=$((hp - damage)) high=$((S_MAXHP - damage))
        local log="" status=""
        round_over() {
            log=$(atspi line panel-3) && status=$(atspi line panel-1) || return 1
            if [[ "$log" == *"${H_NAME}は倒れた...\\n >10億光年戻ってしまった...。\\n >残り時間を40消費した...。\\n"* ]]; then
                FELL=1
            elif [ "$high" -gt 0 ] && [[ "$status" =~ ＨＰ　\ ([0-9]+)/ ]] &&
                [ "${BASH_REMATCH[1]}" -ge "$low" ] && [ "${BASH_REMATCH[1]}" -ge 1 ] &&
                [ "${BASH_REMATCH[1]}" -le "$high" ]; then
                FELL=0
            else
                return 1
            fi
        }
        wait_until 15 round_over ||
            fail "after $damage damage to $hp hit points the panel shows neither $low to $high hit points (but at least 1) nor a fall: status \"$status\", log \"$log\""
        if [ "$FELL" = 1 ]; then
            atspi wait-text control-101 すすむ || fail "the fallen hero is still in battle"
            FALLS=$((FALLS + 1))
            DISTANCE=$((DISTANCE > 10 ? DISTANCE - 10 : 0))
            TIME_LEFT=$((TIME_LEFT - 40))
        fi
    elif [[ "$newest" != *"はダメージを受けない!" ]]; then
        atspi wait-text control-101 すすむ || fail "the battle was won, but Advance still reads $(atspi text control-101)"
    fi
    read_game
    # The experience of this round alone: the lines after its own blow in
    # the newest text. A battle won a few lines earlier may still show its
    # experience above them, and would be counted twice.
    local round=${seen##*$'\n'}
    round=${round##*" >${H_NAME}の攻撃!\\n"}
    if [[ "$round" =~ \>([0-9]+)の経験値を獲得! ]]; then
        GAINED=$((GAINED + BASH_REMATCH[1]))
    fi
}

fight_battle() {
    local rounds=0
    until ! in_battle; do
        [ $rounds -lt 100 ] || fail "the battle at $DISTANCE did not end within 100 rounds"
        fight_round
        rounds=$((rounds + 1))
    done
    case "$HISTORY" in *"を倒した!"*|*"は倒れた..."*) ;; *) fail "the battle ended without a victory or a fall: $HISTORY" ;; esac
    AT_REST=$REST_ON
    check_buttons
    expect_progress "$DISTANCE" "$TIME_LEFT"
    FOUGHT=1
}
