# The White Arrow on a KDE Plasma Wayland session (a headless KWin with
# Xwayland, run-scenario --kwin): the game, an X11 client of Xwayland, asks
# KWin whose window is under the pointer. A release on the game's own
# window is a miss; Debian's native weston-terminal gives its hero (the
# numbers of md5sum on its file); after F11 the next drag, onto the bare
# background, ends in the failure box, as does one onto a window of the
# desktop background's type (plasmashell's, on a Plasma desktop); our
# native window lying over an xterm gives its own hero, with its desktop
# entry's icon as the portrait, not the xterm's beneath; and the xterm where
# nothing covers it gives its hero.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/../e2e/hero.sh"
. "$(dirname "$0")/kwin-lib.sh"

for program in /usr/bin/xterm /usr/bin/weston-terminal; do
    [ -x "$program" ] || fail "$program is missing (see scripts/packages)"
done
install_game
install_native_target

# The game on the left, a desktop background window below it; on the right
# the xterm, our window over its right part, and weston-terminal below them.
start_program XTerm /usr/bin/xterm -geometry 40x8+600+40 -e cat
place_target "$WORK/targets/wallpaper"
start_target "$WORK/targets/wallpaper" Wallpaper 300 580 desktop
start_native bullseye-wl env GDK_BACKEND=wayland "$target" bullseye-wl
start_native org.freedesktop.weston.wayland-terminal weston-terminal
start_game
place_window tavrenne 40 40
game_moved() { origin_of && [ "$OX" -ge 40 ] && [ "$OY" -ge 40 ] && [ "$OX" -lt $((40 + WW)) ] && [ "$OY" -lt $((40 + WH)) ]; }
wait_until 10 game_moved || fail "X does not show the game's window where KWin moved it (40,40 ${WW}x$WH): $OX,$OY"
place_window org.freedesktop.weston.wayland-terminal 500 400
weston_x=$((WX + WW / 2)) weston_y=$((WY + WH / 2))
place_window bullseye-wl 700 60
over_x=$((WX + 20)) over_y=$((WY + 20))
origin_of "${TARGET_WIN[XTerm]}"
bare_x=$((OX + 20)) bare_y=$((OY + 20))
[ $over_x -lt $((OX + $(xwininfo -id "${TARGET_WIN[XTerm]}" | sed -n 's/^ *Width: *//p'))) ] && [ $bare_x -lt $WX ] ||
    fail "our window ($WX,$WY) does not lie over the right part of the xterm ($OX,$OY)"
expect_first_screen
failure="窓を射止めるのに失敗した(原因不明)"

# The game's own window: the first miss, no box, nothing changed.
shoot_at_client 200 250
wait_pixel 64 70 FFFFFF || fail "after the release on the game's own window the grab icon did not come back"
expect_atspi 0 boxes
expect_first_screen

shoot_at_screen "$weston_x" "$weston_y"
expect_hero /usr/bin/weston-terminal
screenshot weston-terminal

end_game
shoot_at_screen 100 700
answer_box 失敗 "$failure" background
expect_first_screen
origin_of "${TARGET_WIN[Wallpaper]}"
shoot_at_screen $((OX + 80)) $((OY + 60))
answer_box 失敗 "$failure" desktop-window
expect_first_screen

shoot_over_and_beside_xterm
close_game
