# Sourced by the scenarios that walk: every action is a click on a shown and
# enabled button, handled to its end before the next; the panels and buttons
# are read back after each, and the distance and time left (which only the
# painted progress line shows) are counted here and checked against it.
# Encounters come from a random seed the test cannot choose, so the walk
# reads the buttons and the log to know whether a battle is on.
# shellcheck shell=bash

DISTANCE=0
TIME_LEFT=400
AT_REST=1
SECOND_USED=0
FALLS=0
GUARDIANS=""

# Reads the game's panels and buttons: LOG (one line, line feeds as \n),
# LAST (the log's newest line), STATUS (one line) with its numbers (S_...),
# LABEL and BACK_LABEL, SHOWN (the Advance button), and REST_ON, HEAL_ON,
# TRUMP_ON, MARK_ON (1 when that button is enabled).
read_game() {
    drive "$@" line TAVRENNE '#2' + line TAVRENNE '#0' + text TAVRENNE 101 + text TAVRENNE 104 \
        + visible TAVRENNE 101 + enabled TAVRENNE 102 + enabled TAVRENNE 105 + enabled TAVRENNE 103 \
        + enabled TAVRENNE 106 >"$WORK/game-state" || fail "cannot read the game: $(cat "$WORK/game-state")"
    local state
    mapfile -t state <"$WORK/game-state"
    LOG=${state[0]} STATUS=${state[1]} LABEL=${state[2]} BACK_LABEL=${state[3]} SHOWN=${state[4]}
    REST_ON=${state[5]} HEAL_ON=${state[6]} TRUMP_ON=${state[7]} MARK_ON=${state[8]}
    local log=${LOG%\\n}
    LAST=${log##*\\n >}
    parse_status "$STATUS"
}

in_battle() {
    [ "$LABEL" = "攻撃" ]
}

# The buttons' labels and states must agree with the battle and the rest point.
check_buttons() {
    if in_battle; then
        [ "$BACK_LABEL" = "逃げる" ] && [ "$REST_ON" = 0 ] && [ "$MARK_ON" = 1 ] ||
            fail "in battle at $DISTANCE: Back reads $BACK_LABEL, Rest enabled $REST_ON, MarkTime enabled $MARK_ON"
    else
        [ "$LABEL" = "すすむ" ] && [ "$BACK_LABEL" = "もどる" ] && [ "$REST_ON" = "$AT_REST" ] &&
            [ "$MARK_ON" = $((1 - AT_REST)) ] ||
            fail "at $DISTANCE: labels $LABEL/$BACK_LABEL, Rest enabled $REST_ON, MarkTime enabled $MARK_ON (rest point: $AT_REST)"
    fi
}

# Counts a step forward that met no battle of its own yet: the rest points
# and the second arrow's offer must say so in the log.
count_step() {
    DISTANCE=$((DISTANCE + 1))
    TIME_LEFT=$((TIME_LEFT - 1))
    AT_REST=0
    if [ $((DISTANCE % 10)) -eq 0 ] && [ "$DISTANCE" -lt 100 ]; then
        AT_REST=1
        [ "$LAST" = "【やすむ】コマンドが使えます。" ] || fail "no rest point announced at $DISTANCE: $LOG"
        expect_progress "$DISTANCE" "$TIME_LEFT"
    elif [ "$DISTANCE" -eq 55 ] && [ "$SECOND_USED" = 0 ]; then
        [ "$LAST" = "【二の矢】を放てます。" ] || fail "no second arrow offered at 55: $LOG"
    fi
}

# A battle action: a beaten guardian is noted; a fallen hero is sent back
# and pays 40 time units.
count_battle_action() {
    # (Only the guardians already noted are skipped: a number in the log,
    # such as a damage of 175, says nothing of them.)
    if [[ " $GUARDIANS " != *" $DISTANCE "* ]]; then
        case "$DISTANCE:$LOG" in
            35:*" >紅玉を倒した!\n"*) GUARDIANS="$GUARDIANS 35" ;;
            75:*" >Cを倒した!\n"*) GUARDIANS="$GUARDIANS 75" ;;
        esac
    fi
    [ "$LAST" = "残り時間を40消費した...。" ] || return 0
    FALLS=$((FALLS + 1))
    TIME_LEFT=$((TIME_LEFT - 40))
    if [ "$DISTANCE" -ge 100 ]; then
        DISTANCE=$((DISTANCE - 9))
    else
        DISTANCE=$((DISTANCE > 10 ? DISTANCE - 10 : 0))
    fi
    echo "the hero fell; back at $DISTANCE with $TIME_LEFT left"
}

# Clicks BUTTON (a command number) and counts what it cost.
act() {
    local button=$1 battle=0
    in_battle && battle=1
    read_game press TAVRENNE "$button" 60000 +
    if [ "$battle" = 1 ] && [ "$button" != 102 ]; then
        count_battle_action
    elif [ "$button" = 101 ]; then
        count_step
    elif [ "$button" = 102 ]; then
        TIME_LEFT=$((TIME_LEFT - 5))
        [ "$LAST" = "残り時間を5消費した...。" ] || fail "Rest did not spend 5: $LOG"
    fi
    [ "$TIME_LEFT" -gt 20 ] || fail "the walk is running out of time ($TIME_LEFT left at $DISTANCE)"
    [ "$SHOWN" = 1 ] && check_buttons
    return 0
}

# One move of a player who wants to get on: in battle, heal when weak,
# otherwise attack; on the road, rest on a rest point when weak, otherwise
# advance.
play_one_move() {
    if in_battle; then
        if [ $((S_HP * 3)) -lt "$S_MAXHP" ] && [ "$HEAL_ON" = 1 ]; then
            act 105
        else
            act 101
        fi
    elif [ "$REST_ON" = 1 ] && [ $((S_HP * 2)) -lt "$S_MAXHP" ]; then
        act 102
    else
        act 101
    fi
}

# Walks on until the hero stands at GOAL out of battle, within MOVES moves
# (each move waits for its own handling, so a slow machine takes longer but
# no more moves).
walk_to() {
    local goal=$1 moves=0
    read_game
    until [ "$DISTANCE" -eq "$goal" ] && ! in_battle; do
        [ $moves -lt "$2" ] || fail "did not reach distance $goal within $2 moves (at $DISTANCE, $TIME_LEFT left)"
        play_one_move
        moves=$((moves + 1))
    done
}
