// Deriving a hero from a Fingerprint, naming it after its program file, and
// the scaled bonus of a second arrow. Pure computation: no platform verb.
#include "capture/hero.h"

#include <cstring>


// One row per field a Fingerprint fills: its piece (two characters from
// 2 * (piece - 1)) and the range the piece is spread over.
struct PieceRange {
    int32_t HeroRecord::*field;
    int32_t low;
    int32_t high;
};

static const PieceRange heroPieces[] = {
    {&HeroRecord::maxHp, 7, 32},           // piece 1
    {&HeroRecord::maxMp, 0, 25},           // piece 2
    {&HeroRecord::attack, 4, 12},          // piece 3
    {&HeroRecord::defence, 0, 5},          // piece 4
    {&HeroRecord::evasion, 0, 20},         // piece 5
    {&HeroRecord::hpGrowth, 30, 70},       // piece 6
    {&HeroRecord::mpGrowth, 10, 35},       // piece 7
    {&HeroRecord::attackGrowth, 25, 50},   // piece 8
    {&HeroRecord::defenceGrowth, 0, 25},   // piece 9
    {&HeroRecord::trait, 0, 5},            // piece 10
};
static const PieceRange trumpPiece = {&HeroRecord::trumpCard, 0, 5};  // piece 11

// The passive traits by number, as the ResultPanel names them.
static const char* const traitNames[traitCount] = {
    "クリティカル2倍",   // 0 the opponent's critical hits come twice as often
    "回避率2倍",         // 1 the hero's evasion counts double
    "時々ダメージ半分",  // 2 damage sometimes halved
    "HP自然回復率UP",    // 3 faster natural HP recovery
    "MP自然回復率UP",    // 4 faster natural MP recovery
    "敵遭遇率UP",        // 5 more encounters
};

const char* traitName(int trait)
{
    return trait >= 0 && trait < traitCount ? traitNames[trait] : "";
}

static int32_t hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

int32_t pieceValue(const char* piece, int32_t low, int32_t high, bool secondArrow)
{
    int64_t c = hexDigitValue(piece[0]) * 16 + (piece[0] ? hexDigitValue(piece[1]) : 0);
    if (secondArrow)
        c = 255 - c;
    int64_t span = static_cast<int64_t>(high) - low + 1;
    return static_cast<int32_t>(low + c * span / 256);
}

static void derivePiece(HeroRecord& record, const char* fingerprint, int piece,
                        const PieceRange& range, bool secondArrow)
{
    record.*range.field = pieceValue(fingerprint + 2 * piece, range.low, range.high, secondArrow);
}

void deriveHero(HeroRecord& record, const char* fingerprint, bool secondArrow)
{
    // A short text reads as if padded with zeros, never past its end.
    char digits[33];
    size_t length = strnlen(fingerprint, 32);
    std::memcpy(digits, fingerprint, length);
    std::memset(digits + length, '0', 32 - length);
    digits[32] = '\0';

    record.name[0] = '\0';
    int piece = 0;
    for (const PieceRange& range : heroPieces)
        derivePiece(record, digits, piece++, range, secondArrow);
    if (secondArrow)
        derivePiece(record, digits, piece, trumpPiece, secondArrow);
    record.hp = record.maxHp;
    record.mp = record.maxMp;
    record.level = 1;
    record.exp = 0;
    record.nextExp = 10;
}

void heroNameFromPath(HeroRecord& record, const char* path)
{
    char work[260];
    size_t length = strnlen(path, sizeof work - 1);
    std::memcpy(work, path, length);
    work[length] = '\0';

    // The walk compares single bytes, so the second byte of a double-byte
    // character equal to a backslash stops it too; that is deliberate.
    size_t start = 0;
    bool dotCut = false;
    for (size_t i = length; i-- > 0;) {
        if (work[i] == '.' && !dotCut) {
            work[i] = '\0';
            dotCut = true;
        }
        if (work[i] == '\\') {
            start = i + 1;
            break;
        }
    }
    // Cut after the tenth byte, even in the middle of a double-byte character.
    size_t kept = strnlen(work + start, heroNameBytes);
    std::memcpy(record.name, work + start, kept);
    record.name[kept] = '\0';
}

SecondArrowBonus secondArrowBonus(const char* fingerprint)
{
    HeroRecord scratch = {};
    deriveHero(scratch, fingerprint, true);
    SecondArrowBonus bonus;
    bonus.maxHp = scratch.maxHp + scratch.maxHp / 2;
    bonus.maxMp = scratch.maxMp + scratch.maxMp / 2;
    bonus.attack = scratch.attack + scratch.attack / 2;
    bonus.defence = scratch.defence + scratch.defence / 2;
    bonus.evasion = scratch.evasion + scratch.evasion / 2;
    bonus.attackGrowth = scratch.attackGrowth / 4;
    bonus.defenceGrowth = scratch.defenceGrowth / 4;
    bonus.trumpCard = scratch.trumpCard;
    return bonus;
}
