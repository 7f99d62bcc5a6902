# The White Arrow dragged with real mouse input: three releases on the game's
# own window show the refusal once, on the third; a release on another
# program's window makes a hero from that program's file, with its name,
# the default application icon, the scene and the hero's full bar.
. "$(dirname "$0")/lib.sh"

command -v xdotool >/dev/null || fail "xdotool is missing"
install_game

# The target program: our program without an icon, with an old file date
# so the age rule lets it through.
mkdir -p "$WORK/target"
cp "$E2E_TARGET_PLAIN" "$WORK/target/target.exe"
touch -d '2001-02-03 12:00' "$WORK/target/target.exe"
(cd / && exec wine "$WORK/target/target.exe" TavrenneTarget 0 0) &
TARGET_PID=$!
trap 'stop_game; kill $TARGET_PID 2>/dev/null' EXIT
drive wait TavrenneTarget || fail "the target window did not appear"

# The music device's commands are traced to the game's log.
GAME_WINEDEBUG=-all,trace+mci start_game
drive wait TAVRENNE || fail "the game window did not appear"
background=$(drive syscolor 6)
read -r ox oy <<<"$(drive origin TAVRENNE)"
read -r tx ty <<<"$(drive origin TavrenneTarget)"
drive wait-pixel TAVRENNE 66 66 "!$background" || fail "the grab icon is not shown"

# Presses on the grab spot, checks that the icon is hidden while aiming,
# releases at screen X,Y and waits for the icon to be back.
drag_to() {
    xdotool mousemove --sync $((ox + 60)) $((oy + 60)) mousedown 1
    drive wait-pixel TAVRENNE 66 66 "$background" || fail "pressing on the grab spot did not start aiming"
    xdotool mousemove --sync $((ox + 120)) $((oy + 200)) mousemove --sync "$1" "$2" mouseup 1
}

for miss in 1 2; do
    drag_to $((ox + 200)) $((oy + 250))
    drive wait-pixel TAVRENNE 66 66 "!$background" || fail "the icon did not come back after miss $miss"
    expect_output "0" count box:失敗
done
drag_to $((ox + 200)) $((oy + 250))
drive wait-text box:失敗 65535 "ホワイトアローは、窓の外に射ってください。" ||
    fail "the third miss did not show its box"
screenshot third-miss
drive click box:失敗 1 || fail "cannot close the box"
drive gone box:失敗 || fail "the box did not close"

drag_to $((tx + 100)) $((ty + 80))
drive wait-text TAVRENNE '#2' $' >\n >\n >\n >\n >target を射止めた!\n' ||
    fail "no hero was made from the target"
status=$(drive text TAVRENNE '#0')
case "$status" in "【target】Lv"*) ;; *) fail "status panel reads: $status" ;; esac
for control in 101 102 104 105 106 '#0' '#2'; do
    expect_output "1" visible TAVRENNE "$control"
done
expect_output "0" visible TAVRENNE 103
# The hero's bar at full hit points: yellow over red inside a black frame.
drive wait-pixel TAVRENNE 160 43 FFFF00 || fail "the hero's bar is not full"
expect_output "000000" pixel TAVRENNE 160 41
# The status panel on white, the message log on light grey.
expect_output "FFFFFF" pixel TAVRENNE 230 124
expect_output "C0C0C0" pixel TAVRENNE 230 206
# While a hero exists and no second arrow is offered, the grab icon is gone.
drive wait-pixel TAVRENNE 66 66 "!FFFFFF" || fail "the grab icon is still drawn"
screenshot hero

# The field music: opened, played with the window as the notification
# target; the notice that the track played to its end (MM_MCINOTIFY,
# MCI_NOTIFY_SUCCESSFUL) plays it again from the start, once. The seek aborts
# the pending notice, and that aborted notice must not start it yet again.
[ "$(game_log_count '(L"open dat\\nemuri.mid alias music"')" -eq 1 ] || fail "the field music was not opened"
plays=$(grep -F '(L"play music NOTIFY"' "$WORK/game.log")
[ "$(echo "$plays" | wc -l)" -eq 1 ] || fail "the field music was not played once: $plays"
case "$plays" in *", 0000000000000000)") fail "play without a notification window: $plays" ;; esac
drive post TAVRENNE 0x3B9 1 0 || fail "cannot post MM_MCINOTIFY"
music_restarted() {
    [ "$(game_log_count '(L"seek music to start"')" -eq 1 ] &&
        [ "$(game_log_count '(L"play music NOTIFY"')" -eq 2 ]
}
wait_until 10 music_restarted || fail "the end-of-track notice did not restart the music"
# An aborted notice (4) changes nothing. The click behind it in the queue
# shows when both have been handled.
drive post TAVRENNE 0x3B9 4 1 || fail "cannot post MM_MCINOTIFY"

# A click on Advance walks one step.
drive click TAVRENNE 101 || fail "cannot click Advance"
drive wait-text TAVRENNE '#2' '~すすむ' || fail "Advance did not walk"
music_restarted || fail "aborted notices restarted the music: $(game_log_count '(L"seek music to start"') seeks"
# A key sent to a button goes to the keyboard map: the up arrow is Advance
# (or the attack, if the step met an enemy), and the log moves on.
log=$(drive text TAVRENNE '#2')
drive post-to TAVRENNE 101 0x100 0x26 1 || fail "cannot send a key to the Advance button"
drive wait-text TAVRENNE '#2' "!$log" || fail "the up arrow sent to a button did nothing"
screenshot walked

# F11 resets the game: controls hidden, music stopped, the first screen again.
drive key TAVRENNE 0x7A || fail "cannot press F11"
wait_output 0 visible TAVRENNE 101
[ "$(game_log_count '(L"stop music"')" -eq 1 ] || fail "F11 did not stop the music"
expect_first_screen
screenshot reset

close_game
drive close TavrenneTarget
echo "two silent misses, the box on the third, a hero named target, music, a step, a key, F11"
