// The MessageLog's five lines and the two panels, byte for byte.
#include "tests/unit/support.h"

#include "shell/panels.h"

TEST(Log, KeepsTheLastFiveLines)
{
    freshProcess();
    for (const char* line : {"a", "b", "c", "d", "e", "f"})
        appendLog(line);
    EXPECT_EQ(controlState(MessageLog).text, " >b\n >c\n >d\n >e\n >f\n");
    EXPECT_STREQ(logLine(1), "b");
    EXPECT_STREQ(logLine(5), "f");

    freshProcess();
    appendLog("x");
    EXPECT_EQ(controlState(MessageLog).text, " >\n >\n >\n >\n >x\n");
}

TEST(Log, LongLinesAreCutAtACharacterBoundary)
{
    freshProcess();
    std::string wide;
    for (int i = 0; i < 60; ++i)
        wide += "あ";  // two bytes each in Shift_JIS
    appendLog(wide.c_str());
    EXPECT_EQ(std::string(logLine(5)), wide.substr(0, 98));  // 99 would split a character

    std::string narrow(150, 'x');
    appendLog(narrow.c_str());
    EXPECT_EQ(std::string(logLine(5)), narrow.substr(0, 99));

    std::string mixed = "x" + wide;  // a character ends exactly at byte 99
    appendLog(mixed.c_str());
    EXPECT_EQ(std::string(logLine(5)), mixed.substr(0, 99));

    std::string halfWidth(120, '\xcc');  // half-width katakana are one byte each
    appendLog(halfWidth.c_str());
    EXPECT_EQ(std::string(logLine(5)).size(), 99u);
}

TEST(Panels, StatusTextByteForByte)
{
    freshProcess();
    std::snprintf(hero.name, sizeof hero.name, "notepad");
    hero.level = 3;
    hero.hp = 5;
    hero.maxHp = 32;
    hero.mp = hero.maxMp = 0;
    hero.attack = 9;
    hero.defence = 2;
    hero.exp = -4;
    hero.nextExp = 19;
    refreshStatus();
    EXPECT_EQ(controlState(StatusPanel).text,
              "【notepad】Lv3 \n ＨＰ　 5/32\n ＭＰ　 0/0 \n 攻撃力 9\n 防御力 2 \n 経験値 -4/19");
    // The full-width letters and the ideographic space as Shift_JIS bytes.
    EXPECT_NE(controlState(StatusPanel).text.find("\x82\x67\x82\x6f\x81\x40 5/32"), std::string::npos);
}

TEST(Panels, ResultTextWithTraitNames)
{
    freshProcess();
    std::snprintf(hero.name, sizeof hero.name, "calc");
    hero.level = 42;
    hero.hp = 100;
    hero.maxHp = 120;
    hero.mp = 7;
    hero.maxMp = 30;
    hero.attack = 50;
    hero.defence = 33;
    hero.evasion = 27;
    hero.trait = 4;
    game.timeLeft = 58;
    fillResult();
    EXPECT_EQ(controlState(ResultPanel).text,
              "【calc】Lv42 \n ＨＰ　 100/120\n ＭＰ　 7/30 \n 攻撃力 50\n 防御力 33 \n 回避率 27 \n"
              " 残り時間 58 \n\n 先天能力\n   MP自然回復率UP");
    hero.trait = 9;
    fillResult();
    const std::string text = controlState(ResultPanel).text;
    EXPECT_EQ(text.substr(text.size() - 4), "\n   ");
}
