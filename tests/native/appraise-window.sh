# tavrenne-appraise --window: the crosshair picks a window and the tool
# appraises its program, found as the game's White Arrow finds it. On an
# xterm it prints the very hero the game makes from the same window (and the
# numbers of md5sum /usr/bin/xterm); Escape, the bare desktop and the game's
# own window give their messages and exit code 1; --lang en speaks English.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/../e2e/hero.sh"

[ -x "${NATIVE_APPRAISE:-}" ] || fail "no appraisal tool at ${NATIVE_APPRAISE:-}"
install_game
start_program XTerm /usr/bin/xterm -geometry 40x8+0+0 -e cat
derive_hero /usr/bin/xterm

# Runs the tool with ARGS... in the background; once its prompt says the
# crosshair is on, ACTION runs (a shell command); sets OUT, ERR and RC.
pick() {
    local action=$1
    shift
    rm -f "$WORK/pick.out" "$WORK/pick.err"
    (cd / && exec env "${SANITIZER_OPTIONS[@]}" "$NATIVE_APPRAISE" "$@") \
        >"$WORK/pick.out" 2>"$WORK/pick.err" </dev/null &
    local tool=$! deadline=$((SECONDS + 15))
    until [ -s "$WORK/pick.err" ]; do
        kill -0 "$tool" 2>/dev/null || break
        [ $SECONDS -lt $deadline ] || fail "tavrenne-appraise $* never said the crosshair was on"
        sleep 0.05
    done
    eval "$action"
    RC=0
    wait "$tool" || RC=$?
    OUT=$(cat "$WORK/pick.out")
    ERR=$(cat "$WORK/pick.err")
}

# Clicks at screen X,Y.
click_at() {
    mouse_to "$1" "$2"
    xdotool click 1
}

origin_of "${TARGET_WIN[XTerm]}"
xterm_x=$((OX + 60)) xterm_y=$((OY + 40))

pick "click_at $xterm_x $xterm_y" --window
[ "$RC" -eq 0 ] || fail "--window on xterm ended with $RC: $OUT $ERR"
grep -qxF "/usr/bin/xterm" <<<"$OUT" || fail "--window on xterm did not name /usr/bin/xterm: $OUT"
grep -qF "指紋      $(md5sum /usr/bin/xterm | cut -c1-32)" <<<"$OUT" || fail "the digest is not md5sum's: $OUT"
line="一の矢    【xterm】 HP $H_MAXHP  MP $H_MAXMP  攻撃力 $H_ATTACK  防御力 $H_DEFENCE  回避率 $H_EVASION"
grep -qF "$line" <<<"$OUT" || fail "the tool's first arrow is not \"$line\": $OUT"

# The game, shot at the same window, makes that hero.
start_game
expect_first_screen
shoot_at_target XTerm
expect_atspi "$(status_text xterm 1 "$H_MAXHP" "$H_MAXHP" "$H_MAXMP" "$H_MAXMP" "$H_ATTACK" "$H_DEFENCE" 0 10)" \
    text panel-1
screenshot hero

origin_of "$GAME_WIN"
pick "click_at $((OX + 200)) $((OY + 20))" --window
[ "$RC" -eq 1 ] && grep -qF "Tavrenne 自身の窓です" <<<"$OUT" ||
    fail "--window on the game itself: exit $RC, \"$OUT\""

pick "click_at 1000 740" --window
[ "$RC" -eq 1 ] && grep -qF "プログラムが見つかりません" <<<"$ERR" ||
    fail "--window on the bare desktop: exit $RC, \"$ERR\""

pick "xdotool key Escape" --window
[ "$RC" -eq 1 ] && grep -qF "やめました" <<<"$ERR" || fail "--window and Escape: exit $RC, \"$ERR\""

pick "click_at $xterm_x $xterm_y" --lang en --window
[ "$RC" -eq 0 ] && grep -qF "first arrow   【xterm】 HP $H_MAXHP" <<<"$OUT" &&
    grep -qF "Click a window" <<<"$ERR" || fail "--lang en --window: exit $RC, \"$OUT\" \"$ERR\""
check_sanitizers
echo "--window named /usr/bin/xterm and its hero as the game makes it; the game, the desktop and Escape refused"
