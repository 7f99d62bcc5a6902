// The opponents: the fixed ones at 35, 75, 100 and the final boss, and the
// table of rows chosen by distance with a small random spread.
#include "core/roster.h"

#include <cstring>

#include "core/random.h"

struct OpponentRow {
    int32_t distance;  // only for the fixed opponents
    const char* name;
    int32_t maxHp;
    int32_t attack;
    int32_t defence;
    int32_t evasion;
    int32_t expReward;
    int32_t move1Power;
    const char* move1Text;
    int32_t move2Power;
    const char* move2Text;
};

static const OpponentRow fixedOpponents[] = {
    // distance        name      maxHp atk def eva  exp  move 1                        move 2
    {35,                "紅玉",     50, 10,  4,  5, 100, 16, "の強打!",               0, ""},  // guardian
    {75,                "C",        80, 30, 10, 13, 240, 35, "の電光石火!",           0, ""},  // guardian
    {100,               "",        100, 30, 15, 13,   0, 35, "「....」",              0, ""},  // the goal
    {finalBossDistance, "ENIAC!",  300, 33, 20,  0,   0, 35, "は巨体で体当たりした!", 42, "は巨体で押しつぶした!"},
};

static const OpponentRow rows[] = {
    // row  name                 maxHp atk def eva  exp  move 1
    {0, "オーク",                    4,  3,  0,  3,   4,  0, "",                   0, ""},  // 0
    {0, "モア",                      6,  4,  0,  3,   6,  0, "",                   0, ""},  // 1
    {0, "レス",                      3,  5,  2,  3,   8,  0, "",                   0, ""},  // 2
    {0, "シトラス",                  7,  6,  0,  3,  10,  0, "",                   0, ""},  // 3
    {0, "テックス",                  9,  6,  0,  3,  13,  0, "",                   0, ""},  // 4
    {0, "カンナ",                   13,  8,  2,  3,  17,  0, "",                   0, ""},  // 5
    {0, "ケルベロス",               14,  8,  0,  3,  22, 10, "は炎を吐いた!",      0, ""},  // 6
    {0, "グノーム",                 16,  9,  0,  3,  28,  0, "",                   0, ""},  // 7
    {0, "ワンダラスト",             14, 12,  5,  3,  37,  0, "",                   0, ""},  // 8
    {0, "バッシュ",                 26, 11,  0,  3,  48, 14, "の強打!",            0, ""},  // 9
    {0, "バイソン",                 30, 14,  0,  3,  60, 17, "はyaccを唱えた!",    0, ""},  // 10
    {0, "ミュー",                   30, 14,  3,  0,  75,  0, "",                   0, ""},  // 11
    {0, "カメ",                     20, 16, 30,  0,  92, 17, "の体当たり!",        0, ""},  // 12
    {0, "ウサギ",                   20, 15,  4, 50, 108, 17, "は飛びかかった!",    0, ""},  // 13
    {0, "ナマズ",                   32, 15, 10,  3, 130, 17, "は地震を起こした!",  0, ""},  // 14
    {0, "ムラサキ",                 35, 16, 10,  6, 150, 19, "は斬りかかった!",    0, ""},  // 15
    {0, "ﾜﾀｼﾉﾅﾏｴﾊﾎﾟﾛﾝﾃﾞｽ",         40, 17, 14,  3, 175, 22, "の自己紹介!",        0, ""},  // 16
    {0, "ノーチラス",               44, 19, 17,  3, 200, 24, "は噛みついた!",      0, ""},  // 17
    {0, "シルフィード",             50, 22, 10,  4, 230, 27, "は風を巻き起こした!", 0, ""},  // 18
    {0, "雷鳥",                     55, 23,  9,  3, 320, 27, "の雷!",              0, ""},  // 19
    {0, "炎狐",                     80, 25, 10,  3, 500, 30, "の炎!",              0, ""},  // 20 and beyond
};
const int32_t lastRow = 20;

static void copyText(char* to, size_t size, const char* from)
{
    std::strncpy(to, from, size - 1);
    to[size - 1] = '\0';
}

EnemyRecord makeEnemy(const char* name, int32_t maxHp, int32_t attack, int32_t defence,
                      int32_t evasion, int32_t expReward)
{
    EnemyRecord record;
    std::memset(&record, 0, sizeof record);
    copyText(record.name, sizeof record.name, name);
    record.maxHp = maxHp;
    record.attack = attack;
    record.defence = defence;
    record.evasion = evasion;
    record.expReward = expReward;
    return record;
}

void setEnemyMoves(EnemyRecord& record, int32_t move1Power, const char* move1Text,
                   int32_t move2Power, const char* move2Text)
{
    record.move1Power = move1Power;
    copyText(record.move1Text, sizeof record.move1Text, move1Text);
    record.move2Power = move2Power;
    copyText(record.move2Text, sizeof record.move2Text, move2Text);
}

static EnemyRecord build(const OpponentRow& row)
{
    EnemyRecord record = makeEnemy(row.name, row.maxHp, row.attack, row.defence, row.evasion,
                                   row.expReward);
    setEnemyMoves(record, row.move1Power, row.move1Text, row.move2Power, row.move2Text);
    record.hp = record.maxHp;
    return record;
}

EnemyRecord chooseOpponent(int32_t distance)
{
    for (const OpponentRow& row : fixedOpponents)
        if (row.distance == distance)
            return build(row);
    int64_t index = (static_cast<int64_t>(distance) + randomBelow(5)) / 5;
    if (index < 0 || index > lastRow)
        index = lastRow;
    return build(rows[index]);
}
