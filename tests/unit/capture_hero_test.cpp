// Deriving a hero from a Fingerprint, its name from the program's path, the
// trump card table and the second arrow's bonus with its effects.
#include <cstring>
#include <map>

#include "capture/hero.h"
#include "capture/second_arrow.h"
#include "core/cards.h"
#include "shell/scene.h"
#include "tests/unit/support.h"

namespace {

const char worked[] = "00112233445566778899aabbccddeeff";

TEST(PieceValue, EndsMiddleAndInversion)
{
    EXPECT_EQ(pieceValue("00", 7, 32, false), 7);
    EXPECT_EQ(pieceValue("ff", 7, 32, false), 32);
    EXPECT_EQ(pieceValue("00", 7, 32, true), 32);
    EXPECT_EQ(pieceValue("ff", 7, 32, true), 7);
    EXPECT_EQ(pieceValue("80", 7, 32, false), 20);
    EXPECT_EQ(pieceValue("80", 4, 12, false), 8);
    EXPECT_EQ(pieceValue("FF", 0, 5, false), 5);  // capitals read the same
    EXPECT_EQ(pieceValue("zz", 0, 5, false), 0);  // not a digit: 0
}

TEST(PieceValue, EveryValueOfARangeComesFromAnEvenShare)
{
    const int ranges[][2] = {{7, 32}, {0, 25}, {4, 12}, {0, 5}, {0, 20},
                             {30, 70}, {10, 35}, {25, 50}, {0, 25}};
    for (const auto& range : ranges) {
        int n = range[1] - range[0] + 1;
        std::map<int, int> shares;
        for (int c = 0; c < 256; ++c) {
            char piece[3];
            std::snprintf(piece, sizeof piece, "%02x", c);
            shares[pieceValue(piece, range[0], range[1], false)] += 1;
        }
        ASSERT_EQ(static_cast<int>(shares.size()), n) << range[0] << ".." << range[1];
        for (const auto& share : shares) {
            EXPECT_GE(share.first, range[0]);
            EXPECT_LE(share.first, range[1]);
            EXPECT_TRUE(share.second == 256 / n || share.second == 256 / n + 1)
                << "value " << share.first << " from " << share.second << " pieces";
        }
    }
}

TEST(DeriveHero, WorkedExampleFirstArrowKeepsTheOtherFields)
{
    HeroRecord h = {};
    std::strcpy(h.name, "old");
    h.trumpCard = 4;
    h.trumpCost = 10;
    h.level = 9;
    h.exp = 77;
    deriveHero(h, worked, false);
    EXPECT_STREQ(h.name, "");
    EXPECT_EQ(h.maxHp, 7);
    EXPECT_EQ(h.hp, 7);
    EXPECT_EQ(h.maxMp, 1);
    EXPECT_EQ(h.mp, 1);
    EXPECT_EQ(h.attack, 5);
    EXPECT_EQ(h.defence, 1);
    EXPECT_EQ(h.evasion, 5);
    EXPECT_EQ(h.hpGrowth, 43);
    EXPECT_EQ(h.mpGrowth, 20);
    EXPECT_EQ(h.attackGrowth, 37);
    EXPECT_EQ(h.defenceGrowth, 13);
    EXPECT_EQ(h.trait, 3);
    EXPECT_EQ(h.level, 1);
    EXPECT_EQ(h.exp, 0);
    EXPECT_EQ(h.nextExp, 10);
    EXPECT_EQ(h.trumpCard, 4);  // only a second arrow sets the card
    EXPECT_EQ(h.trumpCost, 10);
}

TEST(DeriveHero, AShortTextReadsAsZerosNotPastItsEnd)
{
    HeroRecord h = {};
    deriveHero(h, "ff", true);
    EXPECT_EQ(h.maxHp, 7);        // "ff" inverted
    EXPECT_EQ(h.maxMp, 25);       // "00" inverted
    EXPECT_EQ(h.trumpCard, 5);
}

TEST(HeroName, FileNameWithoutFolderAndLastExtension)
{
    const char* cases[][2] = {
        {"C:\\Program Files\\Tools.new\\app.exe", "app"},
        {"C:\\Tools.new\\app", "app"},              // no dot in the file name
        {"C:\\bin\\a.b.exe", "a.b"},
        {"C:\\bin\\.exe", ""},
        {"notepad.exe", "notepad"},                 // no backslash
        {"dir.d/x.exe", "dir.d/x"},                 // only backslashes separate
        {"C:\\dir\\表示.exe", "示"},                // 表 ends in the backslash's byte
        {"C:\\x\\abcdefghijklmn.exe", "abcdefghij"},
        {"C:\\x\\abcdefghij.exe", "abcdefghij"},
        {"", ""},
    };
    for (const auto& c : cases) {
        HeroRecord h = {};
        heroNameFromPath(h, c[0]);
        EXPECT_STREQ(h.name, c[1]) << c[0];
    }
}

TEST(HeroName, TheTenByteCutMaySplitADoubleByteCharacter)
{
    HeroRecord h = {};
    heroNameFromPath(h, "C:\\x\\Xあいうえお.exe");  // 1 + 5 * 2 bytes
    const char* full = "Xあいうえお";
    EXPECT_EQ(std::strlen(h.name), 10u);
    EXPECT_EQ(std::memcmp(h.name, full, 10), 0);
}

TEST(HeroName, OnlyTheFirst259BytesOfAPathAreWalked)
{
    std::string path = "C:\\" + std::string(250, 'd') + "\\" + std::string(20, 'n') + ".exe";
    HeroRecord h = {};
    heroNameFromPath(h, path.c_str());
    // The copy ends five bytes into the file name: no extension was left to cut.
    EXPECT_STREQ(h.name, "nnnnn");
}

TEST(TrumpCard, TableAndOutOfRangeIndexes)
{
    freshProcess();
    const char* captions[] = {"体力全快(M6", "防御力↓(M5", "攻撃力↓(M5",
                              "ﾃﾞｽﾄﾗｸﾄ(M5", "ﾃﾞﾌﾚｽﾊﾟｲﾗﾙ(M10", "ﾊﾞｸﾞｽﾄﾘｰﾑ(M70"};
    const int costs[] = {6, 5, 5, 5, 10, 70};
    for (int i = 0; i < 6; ++i) {
        applyTrumpCard(i);
        EXPECT_EQ(controlState(TrumpCardButton).text, captions[i]);
        EXPECT_EQ(hero.trumpCost, costs[i]);
    }
    clearCalls();
    for (int index : {6, -1, 1000}) {
        applyTrumpCard(index);
        EXPECT_EQ(controlState(TrumpCardButton).text, captions[5]);
        EXPECT_EQ(hero.trumpCost, 70);
    }
    EXPECT_TRUE(recordedCalls().empty());
}

TEST(SecondArrow, BonusRangesAtBothEnds)
{
    SecondArrowBonus weakest = secondArrowBonus("ffffffffffffffffffffffffffffffff");
    SecondArrowBonus strongest = secondArrowBonus("00000000000000000000000000000000");
    const int32_t low[] = {10, 0, 6, 0, 0, 6, 0, 0};
    const int32_t high[] = {48, 37, 18, 7, 30, 12, 6, 5};
    const int32_t got[2][8] = {
        {weakest.maxHp, weakest.maxMp, weakest.attack, weakest.defence, weakest.evasion,
         weakest.attackGrowth, weakest.defenceGrowth, weakest.trumpCard},
        {strongest.maxHp, strongest.maxMp, strongest.attack, strongest.defence,
         strongest.evasion, strongest.attackGrowth, strongest.defenceGrowth, strongest.trumpCard}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(got[0][i], low[i]) << "field " << i;
        EXPECT_EQ(got[1][i], high[i]) << "field " << i;
    }
}

TEST(SecondArrow, WorkedExampleStrengthensTheHeroInOrder)
{
    freshProcess();
    deriveHero(hero, worked, false);
    std::strcpy(hero.name, "Hero");
    game.heroReady = 1;
    game.distance = 55;
    game.secondArrowReady = 1;
    HeroRecord before = hero;

    applySecondArrow(worked);

    EXPECT_EQ(logged(), (std::vector<std::string>{"HP+48 MP+36", "攻撃力+16 防御力+6",
                                                  "攻撃成長率 防御成長率", "回避率UP"}));
    EXPECT_EQ(hero.maxHp, 55);
    EXPECT_EQ(hero.maxMp, 37);
    EXPECT_EQ(hero.attack, 21);
    EXPECT_EQ(hero.defence, 7);
    EXPECT_EQ(hero.evasion, 27);
    EXPECT_EQ(hero.attackGrowth, 46);
    EXPECT_EQ(hero.defenceGrowth, 16);
    EXPECT_EQ(hero.hp, 7);
    EXPECT_EQ(hero.mp, 1);
    EXPECT_EQ(hero.trumpCard, 1);
    EXPECT_EQ(hero.trumpCost, 5);
    EXPECT_EQ(hero.hpGrowth, before.hpGrowth);
    EXPECT_EQ(hero.mpGrowth, before.mpGrowth);
    EXPECT_EQ(hero.trait, before.trait);
    EXPECT_EQ(hero.nextExp, before.nextExp);
    EXPECT_EQ(game.secondArrowReady, 0);
    EXPECT_EQ(game.secondArrowUsed, 1);

    ControlState button = controlState(TrumpCardButton);
    EXPECT_EQ(button.text, "防御力↓(M5");
    EXPECT_TRUE(button.shown);
    EXPECT_EQ(countCalls("enableControl"), 0);  // the availability rules decide
    EXPECT_TRUE(invalidated(sceneRect.left, sceneRect.top, sceneRect.right, sceneRect.bottom));

    // The four lines, then caption, status panel, repaint and the button, in this order.
    std::vector<std::string> tail;
    for (const RecordedCall& call : recordedCalls())
        if (call.verb != "setControlText" || call.args[0] != MessageLog)
            tail.push_back(call.verb + " " + std::to_string(call.args.empty() ? 0 : call.args[0]));
    EXPECT_EQ(tail, (std::vector<std::string>{"setControlText 103", "setControlText 1",
                                              "invalidate 0", "showControl 103"}));
    EXPECT_NE(controlState(StatusPanel).text.find(" ＨＰ　 7/55"), std::string::npos);
}

}  // namespace
