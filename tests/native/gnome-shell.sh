# The White Arrow on a headless GNOME Shell (Wayland, the game and xterm
# through Xwayland), our extension enabled: foot, a native Wayland
# terminal, gives the hero of /usr/bin/foot's MD5 where it lies over xterm;
# xterm where nothing covers it gives its own; the game's own window is the
# game; the bare background gives the failure box. F11 between the heroes,
# each next drag shooting. Then, the extension disabled, xterm still gives
# its hero, and a shot at foot tells the player how to enable it, enables it
# on request, and ends in the failure box; the next shot at foot makes its
# hero.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/../e2e/hero.sh"
. "$(dirname "$0")/gnome/hands.sh"

for program in /usr/bin/xterm /usr/bin/foot; do
    [ -x "$program" ] || fail "$program is missing (see scripts/packages)"
done
install_game
start_program XTerm /usr/bin/xterm -geometry 40x12+0+0 -e cat
place_window "${TARGET_PIDS[-1]}" 20 60
start_native /usr/bin/foot cat
place_window "$NATIVE_PID" 170 160 300 240
start_game
place_window "$GAME_PID" 700 100
overlap=(200 200)      # xterm under foot
bare_xterm=(60 100)    # xterm alone
background=(500 600)   # nobody's

# Shoots at screen X,Y with the first arrow and checks the hero of PROGRAM.
hero_at() {
    expect_first_screen
    shoot_at_screen "$1" "$2"
    expect_hero "$3"
    client_image "$WORK/client.png"
    [ "$(pixels_of_colour "$WORK/client.png" 144 5 32 32 "$BACKGROUND")" -lt 900 ] ||
        fail "no portrait was drawn for $H_NAME"
}

failure="窓を射止めるのに失敗した(原因不明)"
expect_first_screen
shoot_at_screen "${background[@]}"
answer_box 失敗 "$failure"
origin_of
shoot_at_screen $((OX + 120)) $((OY + 300))
wait_pixel 64 70 FFFFFF || fail "the release on the game's own window: the grab icon did not come back"
expect_atspi 0 boxes
expect_atspi "" line panel-3

hero_at "${overlap[@]}" /usr/bin/foot
end_game
hero_at "${bare_xterm[@]}" /usr/bin/xterm
end_game

# Without the extension: X11 windows are still found through Xwayland, and
# no word is said; over foot the player is told and may enable it.
gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.gnome.Shell.Extensions.DisableExtension white-arrow-43@tavrenne >/dev/null ||
    fail "the extension cannot be disabled"
hero_at "${bare_xterm[@]}" /usr/bin/xterm
end_game
expect_first_screen
shoot_at_screen $((170 + 250)) $((160 + 200))
atspi wait-box 拡張機能 $'この窓を射止めるには、ゲームの GNOME Shell 拡張機能「Tavrenne White Arrow」が必要です。\n今すぐ有効にしますか?(「拡張機能」アプリからも有効にできます)' ||
    fail "the player was not told that the extension is needed"
atspi press 拡張機能 有効にする || fail "the box offers no button to enable the extension"
answer_box 失敗 "$failure"
hero_at $((170 + 250)) $((160 + 200)) /usr/bin/foot
close_game
