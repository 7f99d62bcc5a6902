# Sourced by the end-to-end scenarios: the game in a folder of its own, the
# driver, screenshots, waiting and failing with a message.
# shellcheck shell=bash
# Environment (set by CTest): WINE_TEST_PREFIX, E2E_OUT, E2E_DRIVER, E2E_GAME, E2E_DAT.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/../wine/env.sh" "$WINE_TEST_PREFIX"

SCENARIO=$(basename "$0" .sh)
WORK=$E2E_OUT/$SCENARIO
rm -rf "$WORK" "$E2E_OUT/$SCENARIO"-*.png
mkdir -p "$WORK"
GAME_PID=

# The screenshot $E2E_OUT/SCENARIO-NAME.png of the whole virtual screen.
screenshot() {
    import -window root "$E2E_OUT/$SCENARIO-$1.png"
}

fail() {
    echo "FAIL [$SCENARIO]: $*" >&2
    screenshot failed 2>/dev/null
    exit 1
}

stop_game() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID" 2>/dev/null
        wait "$GAME_PID" 2>/dev/null
    fi
    GAME_PID=
}
trap stop_game EXIT

# The driver's commands (see the comment at the top of driver.cpp).
drive() {
    wine "$E2E_DRIVER" "$@"
}

# Copies the exe and the dat folder into WORK/game; "without FILE..." leaves
# those dat files out, "no-dat" the whole folder.
GAME_EXE=$WORK/game/Tavrenne.exe
install_game() {
    mkdir -p "$WORK/game"
    cp "$E2E_GAME" "$GAME_EXE"
    [ "${1:-}" = no-dat ] && return 0
    [ -d "$E2E_DAT" ] || fail "the dat folder $E2E_DAT was not built"
    cp -r "$E2E_DAT" "$WORK/game/dat"
    if [ "${1:-}" = without ]; then
        shift
        for file in "$@"; do rm -f "$WORK/game/dat/$file"; done
    fi
}

# Starts GAME_EXE in the background from another folder than its own, so it
# must find dat/ through its own path.
# The game's Wine messages go to WORK/game.log; GAME_WINEDEBUG chooses them.
start_game() {
    (cd / && WINEDEBUG=${GAME_WINEDEBUG:-$WINEDEBUG} exec wine "$GAME_EXE") \
        2>"$WORK/game.log" &
    GAME_PID=$!
}

# How many lines of the game's log contain TEXT.
game_log_count() {
    grep -cF -- "$1" "$WORK/game.log" || true
}

# Waits for the game to end; its exit code goes to GAME_RC. (Not in a
# command substitution: a subshell cannot wait for the game.)
wait_game_exit() {
    GAME_RC=0
    wait "$GAME_PID" || GAME_RC=$?
    GAME_PID=
}

# Checks that COMMAND's output equals EXPECTED.
expect_output() {
    local expected=$1; shift
    local got
    got=$(drive "$@") || fail "driver $* failed"
    [ "$got" = "$expected" ] || fail "driver $*: expected \"$expected\", got \"$got\""
}

# Writes the game window's client area, cut from a fresh screenshot, to FILE.
client_image() {
    local origin size
    origin=$(drive origin TAVRENNE) || fail "no game window to photograph"
    size=$(drive client TAVRENNE) || fail "no game window to photograph"
    set -- "$1" $origin $size
    import -window root -crop "${4}x${5}+${2}+${3}" +repage "$1"
}

# How many pixels of the image differ from colour RRGGBB, leaving out the
# rectangle X1,Y1-X2,Y2 (both corners inside) when one is given.
stray_pixels() {
    local image=$1 colour=$2
    local args=()
    [ $# -ge 6 ] && args=(-fill "#$colour" -draw "rectangle $3,$4 $5,$6")
    convert "$image" -alpha off "${args[@]}" -alpha off -depth 8 txt:- | tail -n +2 | grep -vic "#$colour\b" || true
}

# How many pixels of colour RRGGBB lie in the rectangle X,Y W x H of the image.
pixels_of_colour() {
    convert "$1" -alpha off -crop "${4}x${5}+${2}+${3}" +repage -depth 8 txt:- | tail -n +2 | grep -ic "#$6\b" || true
}

# Polls CHECK (a shell function returning 0 when satisfied) for up to
# SECONDS, for what a repaint may still be bringing to the screen.
wait_until() {
    local seconds=$1; shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

# The screen before any hero: the whole client area is the window background
# (the window-frame system colour) except the 32 x 32 grab icon at (50,50),
# a white arrow outlined in black.
first_screen_shown() {
    client_image "$WORK/client.png"
    strays=$(stray_pixels "$WORK/client.png" "$background" 50 50 81 81)
    white=$(pixels_of_colour "$WORK/client.png" 50 50 32 32 FFFFFF)
    black=$(pixels_of_colour "$WORK/client.png" 50 50 32 32 000000)
    [ "$strays" -eq 0 ] && [ "$white" -gt 20 ] && [ "$black" -gt 20 ]
}

expect_first_screen() {
    background=$(drive syscolor 6) || fail "cannot read the window-frame colour"
    drive wait-pixel TAVRENNE 5 5 "$background" || fail "the background was not painted"
    wait_until 10 first_screen_shown ||
        fail "first screen: $strays stray pixels outside the icon, $white white and $black black in it"
}
