# The White Arrow on programs of the system: xterm and xclock (the
# packages xterm and x11-apps) give heroes named after their files, with
# the numbers of md5sum on /usr/bin/xterm and /usr/bin/xclock, and a
# portrait each. F11 ends the first game, so the second hero comes from a
# first arrow too.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/../e2e/hero.sh"

for program in /usr/bin/xterm /usr/bin/xclock; do
    [ -x "$program" ] || fail "$program is missing (see scripts/packages)"
done
install_game
start_program XTerm /usr/bin/xterm -geometry 40x8+0+0 -e cat
start_program XClock /usr/bin/xclock -geometry 160x160+0+300
start_game

# Shoots the first arrow at the window of CLASS and checks the hero made
# of PROGRAM's file.
hero_of() {
    local class=$1 program=$2
    derive_hero "$program"
    expect_first_screen
    shoot_at_target "$class"
    atspi wait-text panel-3 $' >\n >\n >\n >\n >'"$H_NAME"$' を射止めた!\n' ||
        fail "no hero was made from $program"
    expect_atspi "$(status_text "$H_NAME" 1 "$H_MAXHP" "$H_MAXHP" "$H_MAXMP" "$H_MAXMP" "$H_ATTACK" "$H_DEFENCE" 0 10)" \
        text panel-1
    expect_shown 1 control-101 control-102 control-104 control-105 control-106 panel-1 panel-3
    expect_shown 0 control-103
    expect_progress 0 400
    # A portrait is drawn: the program's own icon or the icon theme's.
    client_image "$WORK/client.png"
    [ "$(pixels_of_colour "$WORK/client.png" 144 5 32 32 "$BACKGROUND")" -lt 900 ] ||
        fail "no portrait was drawn for $H_NAME"
    screenshot "$H_NAME"
    echo "hero $H_NAME from $program: HP $H_MAXHP, MP $H_MAXMP, attack $H_ATTACK, defence $H_DEFENCE"
}

hero_of XTerm /usr/bin/xterm
[ "$H_NAME" = xterm ] || fail "the name rule gives $H_NAME for xterm"

press_keys F11
wait_hidden() { [ "$(atspi visible control-101)" = 0 ]; }
wait_until 10 wait_hidden || fail "F11 did not end the game"
expect_shown 0 control-101 control-102 control-103 control-104 control-105 control-106 panel-1 panel-2 panel-3

hero_of XClock /usr/bin/xclock
close_game
