# The first screen: nothing but the grab icon at (50,50) on the window
# background, no control shown; the window centred in the work area at
# 245 x 360; closing it ends the process with code 0.
. "$(dirname "$0")/lib.sh"

install_game
start_game
drive wait TAVRENNE || fail "the game window did not appear"
expect_output "Tavrenne" text TAVRENNE .
expect_output "0" count box:

for control in '#0' '#1' '#2' 101 102 103 104 105 106; do
    expect_output "0" visible TAVRENNE "$control"
done
expect_output "すすむ" text TAVRENNE 101
expect_output "回復(M5" text TAVRENNE 105
expect_output "切り札" text TAVRENNE 103

read -r left top right bottom <<<"$(drive rect TAVRENNE)"
read -r wl wt wr wb <<<"$(drive workarea .)"
[ $((right - left)) -eq 245 ] && [ $((bottom - top)) -eq 360 ] ||
    fail "window is $((right - left)) x $((bottom - top)), not 245 x 360"
[ "$left" -eq $(((wl + wr - 245) / 2)) ] && [ "$top" -eq $(((wt + wb - 360) / 2)) ] ||
    fail "window at $left,$top is not centred in the work area $wl,$wt-$wr,$wb"

background=$(drive syscolor 6) || fail "cannot read the window-frame colour"
drive wait-pixel TAVRENNE 5 5 "$background" || fail "the background was not painted"

# The whole client area is background except the 32 x 32 icon at (50,50),
# which shows a white arrow outlined in black.
first_screen_shown() {
    client_image "$WORK/client.png"
    strays=$(stray_pixels "$WORK/client.png" "$background" 50 50 81 81)
    white=$(pixels_of_colour "$WORK/client.png" 50 50 32 32 FFFFFF)
    black=$(pixels_of_colour "$WORK/client.png" 50 50 32 32 000000)
    [ "$strays" -eq 0 ] && [ "$white" -gt 20 ] && [ "$black" -gt 20 ]
}
wait_until 10 first_screen_shown ||
    fail "first screen: $strays stray pixels outside the icon, $white white and $black black in it"
screenshot first-screen

drive close TAVRENNE || fail "cannot close the window"
wait_game_exit
[ "$GAME_RC" -eq 0 ] || fail "closing the window ended the game with code $GAME_RC, not 0"
echo "first screen as expected; closed with code 0"
