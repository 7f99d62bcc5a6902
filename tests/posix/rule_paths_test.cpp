// The rules' form of system paths and back: what the native game and the
// appraisal tool hand to the name rules, and the file they then read.
// System paths are UTF-8 (u8 literals); plain literals are Shift_JIS here.
#include <gtest/gtest.h>

#include <string>

#include "capture/hero.h"
#include "shell/posix/rule_paths.h"
#include "shell/posix/sjis_text.h"

static std::string nameOf(const std::string& systemPath)
{
    HeroRecord hero = {};
    heroNameFromPath(hero, rulePathOf(systemPath).c_str());
    return hero.name;
}

TEST(RulePaths, NamesComeFromTheLastFolderAndLoseTheirLastExtension)
{
    EXPECT_EQ(rulePathOf("/usr/bin/xterm"), "\\usr\\bin\\xterm");
    EXPECT_EQ(nameOf("/usr/bin/xterm"), "xterm");
    EXPECT_EQ(nameOf("/opt/a.b/tool.bin"), "tool");
    EXPECT_EQ(nameOf("/opt/app/run.sh.x"), "run.sh");
    EXPECT_EQ(nameOf(u8"/usr/games/勇者の剣"), "勇者の剣");
}

TEST(RulePaths, CharactersWithoutAShiftJisFormBecomeOneQuestionMarkEach)
{
    // (Held in variables: the test macros would spell them out in Shift_JIS.)
    const std::string accented = u8"/home/zoë/Łódź/run";
    const std::string mixed = u8"ë【】";
    EXPECT_EQ(rulePathOf(accented), "\\home\\zo?\\??d?\\run");
    EXPECT_EQ(utf8ToSjisLossy("a\xff" "b"), "a?b");         // a byte that starts nothing
    EXPECT_EQ(utf8ToSjisLossy("a\xe3\x81" "b"), "a?b");     // a character cut short
    EXPECT_EQ(utf8ToSjisLossy("\xf0\x9f\x8e\xaf!"), "?!");  // beyond the BMP
    EXPECT_EQ(utf8ToSjisLossy(u8"ｱﾛｰ、ＨＰ【】　"), "ｱﾛｰ、ＨＰ【】　");
    EXPECT_EQ(utf8ToSjisLossy(mixed), "?【】");
}

TEST(RulePaths, TheSystemPathComesBackEvenWhenTheRulePathLostCharacters)
{
    const std::string real = u8"/tmp/zoë's games/bow";
    std::string rule = rulePathOf(real);
    EXPECT_EQ(systemPathOf(rule.c_str()), "/tmp/zo?'s games/bow");  // not yet known
    rememberSystemPath(rule, real);
    EXPECT_EQ(systemPathOf(rule.c_str()), real);
}

TEST(RulePaths, ATrailByteEqualToABackslashIsNoFolder)
{
    // 表 is 0x95 0x5C in Shift_JIS: its second byte is not a folder's end.
    EXPECT_EQ(systemPathOf("dat\\表.dat"), u8"dat/表.dat");
    EXPECT_EQ(systemPathOf("dat\\swit004.wav"), "dat/swit004.wav");
}
