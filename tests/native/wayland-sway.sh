# The White Arrow on a sway desktop (sway.conf), the game an X11 client of
# Xwayland among native Wayland windows, all dragged with sway's own
# pointer: a native program of Debian's (foot) and one of ours give their
# heroes, with the numbers of md5sum on their files and, for ours, the icon
# of its desktop entry as the portrait; our native window lying over an
# xterm is the one hit, and the part of the xterm nothing covers still
# gives the xterm; the bare background gives the failure box, also as the
# first drag after a hero and F11; the game's own window is the game;
# tavrenne-appraise --window takes foot under the pointer. (Its
# boxes cannot be hit: while one is open, the game's input waits.)
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/../e2e/hero.sh"
. "$(dirname "$0")/sway-lib.sh"

for program in /usr/bin/xterm /usr/bin/foot; do
    [ -x "$program" ] || fail "$program is missing (see scripts/packages)"
done
install_game
install_native_target

# The xterm first, so that our window, mapped after it, lies over it.
start_program XTerm /usr/bin/xterm -geometry 40x8 -e cat
start_native bullseye-wl env GDK_BACKEND=wayland "$target" bullseye-wl
start_native foot /usr/bin/foot cat
start_game
expect_first_screen

# Points to aim at: the middle of foot; a point of our window that lies
# over the xterm, where the screen shows our window's face; a point of the
# xterm that nothing covers; the bare background.
read -r x y w h <<<"${NATIVE_RECT[foot]}"
foot_x=$((x + w / 2)) foot_y=$((y + h / 2))
read -r x y w h <<<"${NATIVE_RECT[bullseye-wl]}"
sway_rect ".window == ${TARGET_WIN[XTerm]}" || fail "the xterm is not in sway's tree"
over_x=$((x + 20)) over_y=$((WY + 40)) bare_x=$((WX + 20)) bare_y=$((WY + 40))
[ $over_x -lt $((WX + WW)) ] && [ $over_y -ge "$y" ] && [ $over_y -lt $((y + h)) ] && [ $bare_x -lt "$x" ] ||
    fail "our window ($x,$y ${w}x$h) does not lie over the right part of the xterm ($WX,$WY ${WW}x$WH)"
face=$(grab_screen txt:- "1x1+$over_x+$over_y" | sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p')
[ "$face" = A0C8F0 ] || fail "the xterm is not under our window at $over_x,$over_y (the screen shows $face)"
screenshot desktop
failure="窓を射止めるのに失敗した(原因不明)"

shoot_at_screen 900 700
answer_box 失敗 "$failure" background
expect_first_screen

# Three releases on the game's own window: the third is told off.
origin_of
for _ in 1 2 3; do shoot_at_screen $((OX + 120)) $((OY + 300)); done
answer_box 失敗 "ホワイトアローは、窓の外に射ってください。" own-window
expect_atspi 0 boxes
expect_first_screen

shoot_at_screen "$foot_x" "$foot_y"
expect_hero /usr/bin/foot
client_image "$WORK/client.png"
[ "$(pixels_of_colour "$WORK/client.png" 144 5 32 32 "$BACKGROUND")" -lt 900 ] ||
    fail "no portrait was drawn for foot"
screenshot foot

end_game
shoot_over_and_beside_xterm

# After a hero and F11, with the pointer resting on the xterm where the
# arrow hit, the next drag from the grab spot (the pointer jumps there, as
# a pen or a touch does) onto the background: Xwayland gave the press to
# the root window at (0,0), and the drag came to nothing.
end_game
shoot_at_screen 900 700
answer_box 失敗 "$failure" background-after-f11
expect_first_screen

# tavrenne-appraise --window cannot grab sway's pointer: after its count it
# takes the window with the focus (sway's own default gives it to the
# window the pointer enters; this session's to the window clicked), found
# as the White Arrow finds it.
mouse_to "$foot_x" "$foot_y"
mouse_down
mouse_up
(cd / && exec env "${SANITIZER_OPTIONS[@]}" "$NATIVE_APPRAISE" --lang en --window) \
    >"$WORK/pick.out" 2>"$WORK/pick.err" </dev/null || fail "appraise --window over foot failed: $(cat "$WORK/pick.out" "$WORK/pick.err")"
"$NATIVE_APPRAISE" --lang en /usr/bin/foot >"$WORK/foot.out" || fail "appraise /usr/bin/foot failed"
cmp -s "$WORK/pick.out" "$WORK/foot.out" ||
    fail "appraise --window over foot printed $(cat "$WORK/pick.out"), not what /usr/bin/foot gives: $(cat "$WORK/foot.out")"
grep -q 'In 5 seconds the window under the pointer' "$WORK/pick.err" || fail "appraise --window gave no count: $(cat "$WORK/pick.err")"
check_sanitizers

close_game
