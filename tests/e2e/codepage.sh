# Japanese on any Windows: the same first arrow played under the Japanese
# locale (code page 932) and under C.UTF-8 (code page 1252, what a Western
# Windows has for programs that are not Unicode). In both the controls read
# back, through the wide WM_GETTEXT, the expected Japanese, and the client
# area after the first arrow is pixel for pixel the same. Under 1252 the
# target stands in a folder named in Japanese, and the three refusal boxes
# show their Japanese texts.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/hero.sh"

command -v xdotool >/dev/null || fail "xdotool is missing"
install_game
target=$WORK/targets/弓の的/yumi.exe
place_target "$target"
place_target "$WORK/targets/young.exe"
touch "$WORK/targets/young.exe"
place_target "$WORK/targets/gone.exe"
derive_hero "$target"

# A first arrow at the target; the controls' texts; the client area's
# picture into client-LOCALE.png. Every Wine process started here runs
# under LOCALE.
first_arrow_under() {
    local locale=$1
    export LANG=$locale LC_ALL=$locale
    start_target "$target" YumiTarget 0 0
    start_game
    drive wait TAVRENNE || fail "$locale: the game window did not appear"
    expect_first_screen
    shoot_at_target YumiTarget
    drive wait-text TAVRENNE '#2' $' >\n >\n >\n >\n >yumi を射止めた!\n' ||
        fail "$locale: no hero was made from $target"
    expect_output "$(status_text yumi 1 "$H_MAXHP" "$H_MAXHP" "$H_MAXMP" "$H_MAXMP" "$H_ATTACK" "$H_DEFENCE" 0 10)" \
        text TAVRENNE '#0'
    for row in "101 すすむ" "104 もどる" "102 やすむ" "105 回復(M5" "106 あしぶみ" "103 切り札"; do
        read -r id label <<<"$row"
        expect_output "$label" text TAVRENNE "$id"
    done
    expect_picture "$locale: the rest point's scene" "bmp:$E2E_DAT/bg_green.dat" 0 0 128 128
    expect_picture "$locale: the hero's icon" "$E2E_TARGET_ICON" 144 5 32 32
    expect_progress 0 400
    client_image "$WORK/client-$locale.png"
    screenshot "hero-$locale"
}

first_arrow_under ja_JP.UTF-8
close_game
stop_targets
first_arrow_under C.UTF-8
differing=$(compare -metric AE "$WORK/client-ja_JP.UTF-8.png" "$WORK/client-C.UTF-8.png" null: 2>&1)
[ "$differing" = 0 ] || fail "the client areas under code pages 932 and 1252 differ in $differing pixels"

# Still under 1252: the refusals speak Japanese.
press_keys F11
wait_output 0 visible TAVRENNE 101
start_target "$WORK/targets/young.exe" YoungTarget 0 130
start_target "$WORK/targets/gone.exe" GoneTarget 0 260
rm "$WORK/targets/gone.exe"
refusal() {
    local what=$1 text=$2
    shift 2
    shoot_at_screen "$@"
    drive wait-text box:失敗 65535 "$text" || fail "$what: no box reading \"$text\""
    screenshot "$what"
    drive click box:失敗 1 || fail "$what: cannot close the box"
    drive gone box:失敗 || fail "$what: the box did not close"
    drive wait-pixel TAVRENNE 64 70 FFFFFF || fail "$what: the grab icon did not come back"
}
game_origin
for miss in 1 2; do
    shoot_at_screen $((OX + 200)) $((OY + 250))
    drive wait-pixel TAVRENNE 64 70 FFFFFF || fail "miss $miss: the grab icon did not come back"
done
refusal own-window "ホワイトアローは、窓の外に射ってください。" $((OX + 120)) $((OY + 300))
read -r x y <<<"$(drive origin YoungTarget)"
refusal too-young $'窓を射止めた。\nしかし、この窓は若すぎた。' $((x + 80)) $((y + 60))
read -r x y <<<"$(drive origin GoneTarget)"
refusal deleted "窓を射止めるのに失敗した(原因不明)" $((x + 80)) $((y + 60))

close_game
echo "code pages 932 and 1252: the same Japanese texts, the same client area; a hero from a folder named 弓の的; the refusals in Japanese"
