# The Debian package as a player installs it: `apt-get install ./PACKAGE`
# puts Tavrenne in the desktop's menu (its desktop entry), `tavrenne` on a
# player's PATH, its data, its icon at every theme size, its manual page and
# its GNOME Shell extension;
# started through the desktop entry's Exec line, the game plays (a drag onto
# a target makes the hero that its MD5 gives); `apt-get remove` takes away
# every file the package brought. Run by run-scenario, as root, one at a time
# on a machine (scripts/test holds its lock around it).
# Environment: PACKAGE (the .deb), NATIVE_OUT, NATIVE_TARGET.
. "$(dirname "$0")/../native/lib.sh"
. "$(dirname "$0")/../e2e/hero.sh"

[ "$(id -u)" -eq 0 ] || fail "installing a package needs root"
[ -f "${PACKAGE:-}" ] || fail "no package ${PACKAGE:-} (cmake --build build/linux --target package)"
dpkg-query -W -f='${db:Status-Status}' tavrenne 2>/dev/null | grep -q '^installed' &&
    fail "tavrenne is installed already: this test would take it away"

remove_package() {
    dpkg-query -W -f='${db:Status-Status}' tavrenne 2>/dev/null | grep -q '^installed' || return 0
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=120 remove -y -qq tavrenne >"$WORK/remove.log" 2>&1
}
# Whatever happens, the machine is left without the package.
trap 'rc=$?; remove_package; (exit $rc); at_exit' EXIT

# apt's own locks may be held by another apt-get on the machine: wait for them.
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=120 install -y -qq --no-install-recommends \
    "$(realpath "$PACKAGE")" \
    >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "apt-get could not install $PACKAGE"; }
mapfile -t files < <(dpkg-query -L tavrenne | while read -r f; do [ -f "$f" ] && echo "$f"; done)
[ "${#files[@]}" -gt 30 ] || fail "the package holds only ${#files[@]} files"

# The menu entry, the icon, the manual page.
entry=/usr/share/applications/tavrenne.desktop
[ -f "$entry" ] || fail "no desktop entry $entry"
grep -qx 'Categories=Game;RolePlaying;' "$entry" || fail "the desktop entry is not in Game and RolePlaying"
grep -qx 'Name=Tavrenne' "$entry" && grep -q '^Name\[ja\]=' "$entry" || fail "the desktop entry lacks its names"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "the desktop entry does not validate"
fi
for size in 16 24 32 48 64 128 256; do
    icon=/usr/share/icons/hicolor/${size}x$size/apps/tavrenne.png
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x$size" ] || fail "no $size x $size icon $icon"
done
zcat /usr/share/man/man6/tavrenne.6.gz | grep -q '^\.SH THE APPRAISAL TOOL' || fail "no manual page tavrenne(6)"
# The GNOME Shell extension, both flavours, each whole in its uuid's folder.
for uuid in white-arrow@tavrenne white-arrow-43@tavrenne; do
    dir=/usr/share/gnome-shell/extensions/$uuid
    [ -f "$dir/extension.js" ] && [ -f "$dir/whitearrow.js" ] && grep -q "\"uuid\": \"$uuid\"" "$dir/metadata.json" ||
        fail "the GNOME Shell extension $uuid is not installed whole in $dir"
done
[ -d /usr/share/games/tavrenne/dat ] && [ "$(ls /usr/share/games/tavrenne/dat | wc -l)" -eq 22 ] ||
    fail "the dat folder is not in /usr/share/games/tavrenne"

# Started as the menu starts it: the Exec line, on a player's PATH.
player_path=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
exec_line=$(sed -n 's/^Exec=//p' "$entry")
GAME=$(PATH=$player_path command -v "${exec_line%% *}") || fail "\"$exec_line\" is not on a player's PATH"
[ "$GAME" = /usr/games/tavrenne ] || fail "the Exec line starts $GAME, not /usr/games/tavrenne"
PATH=$player_path command -v tavrenne-appraise >/dev/null || fail "tavrenne-appraise is not on a player's PATH"

target=$WORK/targets/quiver.run
place_target "$target"
start_target "$target" QuiverTarget 40 40 icon
derive_hero "$target"
start_game
expect_first_screen
shoot_at_target QuiverTarget
atspi wait-text panel-3 $' >\n >\n >\n >\n >quiver を射止めた!\n' || fail "the installed game made no hero from $target"
expect_atspi "$(status_text "$H_NAME" 1 "$H_MAXHP" "$H_MAXHP" "$H_MAXMP" "$H_MAXMP" "$H_ATTACK" "$H_DEFENCE" 0 10)" \
    text panel-1
# The scene of the rest point, drawn from the installed dat folder.
expect_picture "the rest point's scene" "bmp:/usr/share/games/tavrenne/dat/bg_green.dat" 0 0 128 128
screenshot hero
close_game

# Removed, the package leaves none of its files behind.
remove_package || { cat "$WORK/remove.log"; fail "apt-get could not remove tavrenne"; }
left=()
for file in "${files[@]}"; do
    [ -e "$file" ] && left+=("$file")
done
[ "${#left[@]}" -eq 0 ] || fail "apt-get remove left: ${left[*]}"
[ -e /usr/share/games/tavrenne ] && fail "apt-get remove left the folder /usr/share/games/tavrenne"
echo "installed from $(basename "$PACKAGE") (${#files[@]} files), started from its menu entry, played, removed without a trace"
