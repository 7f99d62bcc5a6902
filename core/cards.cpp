// The table of trump cards and its lookups.
#include "core/cards.h"

#include "shell/sound.h"

const TrumpCardRow trumpCardTable[trumpCardCount] = {
    // caption              cost  sound         effect        line                                  lowered               lowest floor  multiplier
    {"体力全快(M6",           6, HealSound,    FullHealCard, "%sの体力は全快した!",               nullptr,              0, false, 0.0},     // 0
    {"防御力↓(M5",            5, LoweredSound, LowerCard,    "%sの防御力を%d下げた!",             &EnemyRecord::defence, 5, true,  0.0},     // 1
    {"攻撃力↓(M5",            5, LoweredSound, LowerCard,    "%sの攻撃力を%d下げた!",             &EnemyRecord::attack,  1, false, 0.0},     // 2
    {"ﾃﾞｽﾄﾗｸﾄ(M5",            5, BlastSound,   BlastCard,    "%sはデストラクトを放った!!",        nullptr,              0, false, 4.0},     // 3
    {"ﾃﾞﾌﾚｽﾊﾟｲﾗﾙ(M10",       10, BlastSound,   BlastCard,    "%sはデフレスパイラルを放った!!",    nullptr,              0, false, 7.0},     // 4
    {"ﾊﾞｸﾞｽﾄﾘｰﾑ(M70",        70, BlastSound,   BlastCard,    "%sはバグストリームを放った!!",      nullptr,              0, false, 1000.0},  // 5
};

const char* trumpCardCaption(int32_t index)
{
    return index >= 0 && index < trumpCardCount ? trumpCardTable[index].caption : nullptr;
}

int32_t trumpCardCost(int32_t index)
{
    return index >= 0 && index < trumpCardCount ? trumpCardTable[index].cost : 0;
}

const TrumpCardRow& trumpCardInBattle(int32_t index)
{
    return trumpCardTable[index >= 0 && index < trumpCardCount ? index : trumpCardCount - 1];
}
