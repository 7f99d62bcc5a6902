# Sourced by the scenarios that play: what a program file gives as a hero,
# computed here from md5sum by the derivation rules (independently of the
# game), the panels' expected texts, and reading the StatusPanel.
# shellcheck shell=bash

# The value of piece N (1 to 11) of the digest DIGEST spread over LOW..HIGH;
# "inverted" reads it as 255 minus the piece, as the second arrow does.
piece() {
    local c=$((16#${1:$((2 * ($2 - 1))):2}))
    [ "${5:-}" = inverted ] && c=$((255 - c))
    echo $(($3 + c * ($4 - $3 + 1) / 256))
}

# The hero that the first arrow makes from FILE: sets H_NAME, H_MAXHP, H_MAXMP,
# H_ATTACK, H_DEFENCE, H_EVASION, H_TRAIT. The name is the file name without
# its last extension, cut to 10 bytes (the targets have ASCII names).
derive_hero() {
    local digest base
    digest=$(md5sum "$1" | cut -c1-32)
    base=$(basename "$1")
    H_NAME=${base%.*}
    H_NAME=${H_NAME:0:10}
    H_MAXHP=$(piece "$digest" 1 7 32)
    H_MAXMP=$(piece "$digest" 2 0 25)
    H_ATTACK=$(piece "$digest" 3 4 12)
    H_DEFENCE=$(piece "$digest" 4 0 5)
    H_EVASION=$(piece "$digest" 5 0 20)
    H_TRAIT=$(piece "$digest" 10 0 5)
}

# What a second arrow at FILE adds: B_MAXHP, B_MAXMP, B_ATTACK, B_DEFENCE,
# B_EVASION (each x + x/2 of the inverted piece), B_CARD and B_CAPTION.
derive_bonus() {
    local digest x
    digest=$(md5sum "$1" | cut -c1-32)
    x=$(piece "$digest" 1 7 32 inverted); B_MAXHP=$((x + x / 2))
    x=$(piece "$digest" 2 0 25 inverted); B_MAXMP=$((x + x / 2))
    x=$(piece "$digest" 3 4 12 inverted); B_ATTACK=$((x + x / 2))
    x=$(piece "$digest" 4 0 5 inverted); B_DEFENCE=$((x + x / 2))
    x=$(piece "$digest" 5 0 20 inverted); B_EVASION=$((x + x / 2))
    B_CARD=$(piece "$digest" 11 0 5 inverted)
    local captions=("体力全快(M6" "防御力↓(M5" "攻撃力↓(M5" "ﾃﾞｽﾄﾗｸﾄ(M5" "ﾃﾞﾌﾚｽﾊﾟｲﾗﾙ(M10" "ﾊﾞｸﾞｽﾄﾘｰﾑ(M70")
    local costs=(6 5 5 5 10 70)
    B_CAPTION=${captions[$B_CARD]}
    B_COST=${costs[$B_CARD]}
}

trait_name() {
    local names=("クリティカル2倍" "回避率2倍" "時々ダメージ半分" "HP自然回復率UP" "MP自然回復率UP" "敵遭遇率UP")
    echo "${names[$1]}"
}

# The StatusPanel's text for NAME LEVEL HP MAXHP MP MAXMP ATTACK DEFENCE EXP NEXTEXP.
status_text() {
    printf '【%s】Lv%d \n ＨＰ　 %d/%d\n ＭＰ　 %d/%d \n 攻撃力 %d\n 防御力 %d \n 経験値 %d/%d' "$@"
}

# Reads the numbers of a StatusPanel text (from the driver's "line") into
# S_LEVEL S_HP S_MAXHP S_MP S_MAXMP S_ATTACK S_DEFENCE S_EXP S_NEXTEXP.
parse_status() {
    local numbers
    numbers=$(printf '%s' "${1#*】}" | grep -oE -- '-?[0-9]+' | tr '\n' ' ')
    read -r S_LEVEL S_HP S_MAXHP S_MP S_MAXMP S_ATTACK S_DEFENCE S_EXP S_NEXTEXP <<<"$numbers"
    [ -n "$S_NEXTEXP" ] || fail "cannot read the status panel: $1"
}

# The experience bookkeeping of N level-ups from level 1 with 0 experience
# and 10 needed: prints the experience left (owed) and the next requirement.
# Each requirement grows by 40 % up to 1000 and by 10 % beyond, truncated.
levels_owed() {
    awk -v n="$1" 'BEGIN { owed = 0; need = 10
        for (i = 0; i < n; i++) { owed -= need; need = int(need * (need <= 1000 ? 1.4 : 1.1)) }
        printf "%d %d\n", owed, need }'
}
