# The session of bench/run-windowat-bench on a headless sway, KWin or GNOME
# Shell desktop (run-scenario --sway, --kwin, --gnome): an X11 window
# (xterm) and a native one (foot; on KWin weston-terminal, as foot does not
# start on KWin's virtual output), the desktop's pointer on each and on the
# bare background in turn, and windowat_bench asked there.
# shellcheck shell=bash
. "$(dirname "$0")/../tests/native/lib.sh"

if [ -n "${SWAYSOCK:-}" ]; then
    desktop=sway
    . "$NATIVE_TESTS/sway-lib.sh"
    # sway.conf floats both apart: the xterm at 300,450, foot at 700,40.
    start_program XTerm /usr/bin/xterm -geometry 40x8 -e cat
    sway_rect ".window == ${TARGET_WIN[XTerm]}" || fail "the xterm is not in sway's tree"
    xterm=($((WX + 20)) $((WY + 20)))
    start_native foot /usr/bin/foot cat
    read -r x y w h <<<"${NATIVE_RECT[foot]}"
    native=(foot $((x + w / 2)) $((y + h / 2)))
elif [ "${XDG_CURRENT_DESKTOP:-}" = KDE ]; then
    desktop=KWin
    . "$NATIVE_TESTS/kwin-lib.sh"
    start_program XTerm /usr/bin/xterm -geometry 40x8+100+100 -e cat
    xterm=(150 150)
    start_native org.freedesktop.weston.wayland-terminal weston-terminal
    place_window org.freedesktop.weston.wayland-terminal 500 300
    native=(weston-terminal $((WX + WW / 2)) $((WY + WH / 2)))
else
    desktop="GNOME Shell"
    . "$NATIVE_TESTS/gnome/hands.sh"
    start_program XTerm /usr/bin/xterm -geometry 40x8 -e cat
    place_window "${TARGET_PIDS[-1]}" 100 100
    xterm=(150 150)
    start_native /usr/bin/foot cat
    place_window "$NATIVE_PID" 500 300 300 240
    native=(foot 650 420)
fi

echo "$desktop:"
bench_at() {
    mouse_to "$2" "$3"
    local line
    line=$("$WINDOWAT_BENCH" "$2,$3") || fail "windowat_bench did not run at $2,$3"
    printf '  %-16s%s\n' "$1" "$line"
}
bench_at xterm "${xterm[@]}"
bench_at "${native[@]}"
bench_at background 50 700
