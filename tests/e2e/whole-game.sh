# A whole game to the ending: a hero from one program, raised with F7 and
# rested, walked to 55, where releases on the game's own buttons are
# refused and the second arrow hits another program; then the guardians, the
# opponent at 100 and the final boss; the ending screen with its summary,
# where only F11 is taken.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/hero.sh"
. "$(dirname "$0")/journey.sh"

command -v xdotool >/dev/null || fail "xdotool is missing"
install_game
place_target "$WORK/targets/archer.exe"
place_target "$WORK/targets/quiver.exe" plain
start_target "$WORK/targets/archer.exe" ArcherTarget 0 0
start_target "$WORK/targets/quiver.exe" QuiverTarget 0 200
derive_hero "$WORK/targets/archer.exe"
derive_bonus "$WORK/targets/quiver.exe"

# The music device's commands are traced to the game's log.
GAME_WINEDEBUG=-all,trace+mci start_game
drive wait TAVRENNE || fail "the game window did not appear"
drive wait-pixel TAVRENNE 66 66 "!$(drive syscolor 6)" || fail "the grab icon is not shown"

# ---- the first arrow ----
shoot_at_target ArcherTarget
drive wait-text TAVRENNE '#2' $' >\n >\n >\n >\n >'"$H_NAME"$' を射止めた!\n' || fail "no hero from archer.exe"
expect_output "$(status_text "$H_NAME" 1 "$H_MAXHP" "$H_MAXHP" "$H_MAXMP" "$H_MAXMP" "$H_ATTACK" "$H_DEFENCE" 0 10)" \
    text TAVRENNE '#0'

# ---- F7 a hundred times, then a rest at 0 shows what they did ----
levels=100
mapfile -t f7 < <(yes F7 | head -n $levels)
press_keys "${f7[@]}" Return
drive wait-text TAVRENNE '#2' "~残り時間を5消費した...。" || fail "Enter did not rest at 0"
drive idle TAVRENNE || fail "the rest did not end"
read -r owed next <<<"$(levels_owed $levels)"
read_game
rested_mp=$((H_MAXMP + S_MAXMP / 4 > S_MAXMP ? S_MAXMP : H_MAXMP + S_MAXMP / 4))
[ "$S_LEVEL" = $((levels + 1)) ] && [ "$S_EXP" = "$owed" ] && [ "$S_NEXTEXP" = "$next" ] ||
    fail "after $levels presses of F7 the status reads: $STATUS"
[ "$S_HP" = "$S_MAXHP" ] && [ "$S_MP" = "$rested_mp" ] && [ "$S_MAXHP" -gt "$H_MAXHP" ] &&
    [ "$S_ATTACK" -gt "$H_ATTACK" ] || fail "the rest or the level-ups went wrong: $STATUS"
TIME_LEFT=395
expect_progress 0 395
screenshot raised

# ---- to the second arrow ----
walk_to 55 1000
expect_progress 55 "$TIME_LEFT"
# The grab icon is offered again over the road.
convert "bmp:$E2E_DAT/bg_gray.dat" "$E2E_RES/tavrenne.ico" -geometry +50+50 -composite "$WORK/offer.png"
expect_picture "the second arrow's offer" "$WORK/offer.png" 0 0 128 128
screenshot offer

# Releases on the game's own buttons and window count as misses: silent
# twice, the box on the third; nothing else changes.
before=$(drive line TAVRENNE '#2' + line TAVRENNE '#0' + text TAVRENNE 101 + enabled TAVRENNE 102)
miss() {
    shoot_at_client "$1" "$2"
    if [ "${3:-}" = box ]; then
        drive wait-text box:失敗 65535 "ホワイトアローは、窓の外に射ってください。" ||
            fail "the third miss (on $4) showed no box"
        screenshot own-button-box
        drive click box:失敗 1 || fail "cannot close the box"
        drive gone box:失敗 || fail "the box did not close"
    fi
    drive wait-pixel TAVRENNE 64 70 FFFFFF || fail "the grab icon did not come back after the miss on $4"
    expect_output 0 count box:失敗
    expect_output "$before" line TAVRENNE '#2' + line TAVRENNE '#0' + text TAVRENNE 101 + enabled TAVRENNE 102
}
miss 60 232 silent "the Advance button"
miss 100 100 silent "the scene"
miss 170 232 box "the Heal button"

# ---- the second arrow ----
read_game
shoot_at_target QuiverTarget
drive wait-text TAVRENNE '#2' "~回避率UP" || fail "the second arrow did not hit quiver.exe"
drive idle TAVRENNE
expect_output " >【二の矢】を放てます。\n >HP+$B_MAXHP MP+$B_MAXMP\n >攻撃力+$B_ATTACK 防御力+$B_DEFENCE\n >攻撃成長率 防御成長率\n >回避率UP\n" \
    line TAVRENNE '#2'
expect_output "$(status_text "$H_NAME" "$S_LEVEL" "$S_HP" $((S_MAXHP + B_MAXHP)) "$S_MP" $((S_MAXMP + B_MAXMP)) \
    $((S_ATTACK + B_ATTACK)) $((S_DEFENCE + B_DEFENCE)) "$S_EXP" "$S_NEXTEXP")" text TAVRENNE '#0'
expect_output 1 visible TAVRENNE 103
expect_output "$B_CAPTION" text TAVRENNE 103
expect_output 0 enabled TAVRENNE 103
SECOND_USED=1
# The offer is gone: the road alone, and the hero's icon beside the second one.
expect_picture "the road after the second arrow" "bmp:$E2E_DAT/bg_gray.dat" 0 0 128 128
expect_picture "the hero's icon" "$E2E_TARGET_ICON" 144 5 26 32
[ "$(pixels_of_colour "$WORK/client.png" 177 7 24 30 "$(drive syscolor 6)")" -lt 600 ] ||
    fail "no second icon beside the hero's"
screenshot second-arrow

# ---- on to the goal, with the trump card used once when it can be ----
read_game
moves=0
trump_used=0 final_seen=0
case $B_CARD in
    0) trump_line="${H_NAME}の体力は全快した!" ;;
    1) trump_line="の防御力を" ;;
    2) trump_line="の攻撃力を" ;;
    3) trump_line="${H_NAME}はデストラクトを放った!!" ;;
    4) trump_line="${H_NAME}はデフレスパイラルを放った!!" ;;
    5) trump_line="${H_NAME}はバグストリームを放った!!" ;;
esac
while [ "$SHOWN" = 1 ]; do
    moves=$((moves + 1))
    [ $moves -le 2000 ] || fail "the final boss was not beaten within 2000 moves (at $DISTANCE, $TIME_LEFT left)"
    if in_battle && [ "$TRUMP_ON" = 1 ] && [ "$trump_used" = 0 ]; then
        # The space bar is the trump card's key.
        press_keys_watching_log "~$trump_line" space || fail "the space bar did not play the trump card"
        drive idle TAVRENNE
        trump_used=1
        read_game
        count_battle_action
        continue
    fi
    play_one_move
    if [ "$final_seen" = 0 ] && [[ "$LOG" == *"「Dance in me!!!!!!!」"* ]] && [ "$SHOWN" = 1 ]; then
        final_seen=1
        # The final boss has no sprite: the last background down to its bar.
        expect_picture "the final battle's scene" "bmp:$E2E_DAT/bg_last.dat" 0 0 128 90
        screenshot final-battle
    fi
done
[ "$final_seen" = 1 ] || fail "the final boss never spoke"
[ "$GUARDIANS" = " 35 75" ] || fail "the guardians beaten, by the log: $GUARDIANS"
[ "$DISTANCE" = 100 ] || fail "the game ended at $DISTANCE by our count"

# ---- the ending ----
wait_output 1 visible TAVRENNE '#1'
result=$(printf '%s\n' "$(status_text "$H_NAME" "$S_LEVEL" "$S_HP" "$S_MAXHP" "$S_MP" "$S_MAXMP" "$S_ATTACK" "$S_DEFENCE" 0 0)" |
    head -n 5)
result=$(printf '%s\n 回避率 %d \n 残り時間 %d \n\n 先天能力\n   %s' "$result" $((H_EVASION + B_EVASION)) \
    "$TIME_LEFT" "$(trait_name "$H_TRAIT")")
expect_output "$result" text TAVRENNE '#1'
drive drawn-text TAVRENNE 13 400 65 280 200 340 centred $'宇宙は救われた\nEND' || fail "the ending's words are not painted"
expect_picture "the hero's icon on the ending screen" "$E2E_TARGET_ICON" 90 30 25 32
expect_shown 0 101 102 103 104 105 106 '#0' '#2'
screenshot ending

# Every key but F11 is ignored: nothing changes, however long one looks.
shown=$(drive line TAVRENNE '#1' + line TAVRENNE '#0' + line TAVRENNE '#2' + text TAVRENNE 101)
for key in 0x26 0x28 0x25 0x27 0x0D 0x20 0x76; do
    drive send-key TAVRENNE $key || fail "the key $key was not handled"
    expect_output "$shown" line TAVRENNE '#1' + line TAVRENNE '#0' + line TAVRENNE '#2' + text TAVRENNE 101
done
expect_output 1 visible TAVRENNE '#1'
# The real keyboard: the heal key, then F11, which resets.
press_keys Right F11
wait_output 0 visible TAVRENNE '#1'
expect_first_screen
expect_output "$(sed -n 2p <<<"$shown")" line TAVRENNE '#0'
screenshot reset

# The boss tune was opened, the ending tune once.
[ "$(game_log_count '(L"open dat\\t_midi105_boss08.mid alias music"')" -ge 1 ] || fail "the boss music was never opened"
[ "$(game_log_count '(L"open dat\\aoi.mid alias music"')" -eq 1 ] || fail "the ending music was not opened once"

close_game
echo "a whole game: $levels levels from F7, $FALLS falls, ended with $TIME_LEFT time left in $SECONDS s"
