# The session of bench/run-windowat-bench: an X11 window (xterm) and a
# native one (weston-terminal) on KWin, KWin's pointer on each and on the
# bare background in turn, and windowat_bench asked there.
. "$(dirname "$0")/../tests/native/lib.sh"
. "$NATIVE_TESTS/kwin-lib.sh"

start_program XTerm /usr/bin/xterm -geometry 40x8+100+100 -e cat
start_native org.freedesktop.weston.wayland-terminal weston-terminal
place_window org.freedesktop.weston.wayland-terminal 500 300
for point in 150,150 600,400 50,700; do
    mouse_to "${point%,*}" "${point#*,}"
    "$WINDOWAT_BENCH" "$point" || fail "windowat_bench did not run at $point"
done
