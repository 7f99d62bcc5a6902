# The first arrow, dragged onto a program of ours: the StatusPanel shows
# exactly what the file's MD5 gives by the derivation rules (computed here
# from md5sum), the log names the hero, the command buttons are shown with
# their labels and states but for the trump card, and the window shows the
# rest point's scene, the target window's own icon as the hero's portrait
# (the 32 x 32 one of the three it offers), a full bar and the progress line;
# a drag made while the game is busy shoots once the game is done.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/../e2e/hero.sh"

install_game
# A name of 15 letters with two dots: the hero keeps the first 10 bytes of
# the name without its last extension.
target=$WORK/targets/bullseye.target.run
place_target "$target"
start_target "$target" BullseyeTarget 40 40 icon
derive_hero "$target"
[ "$H_NAME" = bullseye.t ] || fail "the test's own name rule gives $H_NAME"
"$NATIVE_TARGET" --icon-ppm >"$WORK/target-icon.ppm" || fail "the target cannot write its icon"

start_game
expect_first_screen
shoot_at_target BullseyeTarget
atspi wait-text panel-3 $' >\n >\n >\n >\n >bullseye.t を射止めた!\n' || fail "no hero was made from $target"
expect_atspi "$(status_text "$H_NAME" 1 "$H_MAXHP" "$H_MAXHP" "$H_MAXMP" "$H_MAXMP" "$H_ATTACK" "$H_DEFENCE" 0 10)" \
    text panel-1

# The buttons: shown but for the trump card, at the rest point of distance 0.
expect_shown 1 control-101 control-102 control-104 control-105 control-106 panel-1 panel-3
expect_shown 0 control-103 panel-2
heal=$((H_MAXMP >= 5 ? 1 : 0))
for row in "101 すすむ 1" "104 もどる 1" "102 やすむ 1" "105 回復(M5 $heal" "106 あしぶみ 0"; do
    read -r id label enabled <<<"$row"
    expect_atspi "$label" text "control-$id"
    expect_atspi "$enabled" enabled "control-$id"
done

# The picture: the green rest-point scene (no grab icon on it any more),
# the target's own icon, a full bar in its black frame, the progress line.
expect_picture "the rest point's scene" "bmp:$NATIVE_DAT/bg_green.dat" 0 0 128 128
expect_picture "the hero's icon" "$WORK/target-icon.ppm" 144 5 32 32
wait_pixel 160 43 FFFF00 || fail "the hero's bar is not full (160,43 is $PIXEL)"
[ "$(pixel 160 41)" = 000000 ] || fail "the bar has no black frame (160,41 is $(pixel 160 41))"
expect_progress 0 400
expect_atspi 0 boxes
screenshot hero

# A drag made while the game is busy: twenty rests (a pause each) and F11
# wait in the game's queue while the arrow is drawn from the grab spot onto
# the target and released there. X gives the release to the window that
# took the press, so once the game is done, the queued drag shoots where it
# was released, as it would have at once.
press_keys $(printf 'Return %.0s' {1..20}) F11
origin_of "${TARGET_WIN[BullseyeTarget]}"
tx=$OX ty=$OY
origin_of
mouse_to $((OX + 66)) $((OY + 66))
xdotool mousedown 1
mouse_to $((OX + 120)) $((OY + 200))
mouse_to $((tx + 80)) $((ty + 60))
xdotool mouseup 1
[ "$(pixel 230 124)" = FFFFFF ] ||
    fail "the game was done with its rests before the drag ended: the drag did not wait in its queue"
atspi wait-text panel-3 $' >\n >\n >\n >\n >bullseye.t を射止めた!\n' 30 ||
    fail "the drag made while the game was busy made no hero from $target"
expect_progress 0 400
screenshot busy-drag

close_game
echo "hero $H_NAME: HP $H_MAXHP, MP $H_MAXMP, attack $H_ATTACK, defence $H_DEFENCE, as its MD5 gives; its window's icon drawn"
