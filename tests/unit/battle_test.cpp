// The hero's blow, the opponent's turn, defeat, victory, the final battle
// and the ending, with their draws in order.
#include "tests/unit/support.h"

#include "core/battle.h"
#include "core/cards.h"
#include "core/journey.h"
#include "core/roster.h"
#include "shell/sound.h"

static void meet(int32_t distance, const char* name, int32_t hp, int32_t attack, int32_t defence,
                 int32_t evasion)
{
    game.distance = distance;
    game.inBattle = 1;
    game.atRestPoint = 0;
    enemy = makeEnemy(name, hp, attack, defence, evasion, 7);
    enemy.hp = hp;
    clearCalls();
}

TEST(Blow, BaseSpreadAndDrawOrder)
{
    startJourney();
    meet(12, "Foe", 30, 3, 4, 5);
    scriptDraws({1, 1, 50});  // no critical, spread 1, no dodge
    heroAttack(1.0);
    EXPECT_EQ(enemy.hp, 25);  // (10 - 2) / 2 = 4, plus 1
    EXPECT_EQ(drawModuli(), (std::vector<int32_t>{21, 2, 101}));
    EXPECT_EQ(logged(), (std::vector<std::string>{"5のダメージを与えた!"}));
    EXPECT_EQ(recordedCalls().back().verb, "endPaint");  // painted at once

    // Against a high defence the base is 0, but the spread can still hit.
    startJourney();
    hero.attack = 3;
    meet(12, "Foe", 30, 3, 20, 5);
    scriptDraws({1, 1, 50});
    heroAttack(1.0);
    EXPECT_EQ(enemy.hp, 29);
}

TEST(Blow, CriticalOnZeroThenDodge)
{
    startJourney();
    hero.attack = 0;
    meet(12, "Foe", 30, 3, 0, 5);
    scriptDraws({0, 1, 5});  // critical, spread 1, dodge on the limit
    heroAttack(1.0);
    EXPECT_EQ(enemy.hp, 30);
    EXPECT_EQ(events(), (std::vector<std::string>{"sound 13", "log クリティカル!!", "pause 300", "sound 12",
                                                  "log Foeは攻撃をかわした!", "pause 300",
                                                  "log ダメージを与えられない!"}));
}

TEST(Blow, CriticalMultipliesBeforeTheSpread)
{
    startJourney();
    hero.attack = 20;
    meet(12, "Foe", 300, 3, 0, 0);
    scriptDraws({0, 3, 100});  // base 10, x1.5 = 15, spread % (15/10+2) = 3
    heroAttack(4.0);           // 40 x 1.5 = 60; spread % 8
    EXPECT_EQ(drawModuli(), (std::vector<int32_t>{21, 8, 101}));
    EXPECT_EQ(enemy.hp, 300 - 63);
}

TEST(Blow, HugeMultiplierSaturates)
{
    startJourney();
    hero.attack = INT32_MAX;
    meet(12, "Foe", 300, 3, 0, 0);
    scriptDraws({0, 5, 100});
    heroAttack(1000.0);
    EXPECT_EQ(enemy.hp, 0);
    EXPECT_EQ(logged().back(), "2147483647のダメージを与えた!");
}

TEST(EnemyTurn, DrawOrderAndDamage)
{
    startJourney();
    hero.defence = 3;
    meet(12, "Foe", 30, 5, 0, 0);
    scriptDraws({0, 1, 1, 1, 100});  // normal attack, jitter 1, no critical, spread 1, no dodge
    enemyTurn();
    EXPECT_EQ(drawModuli(), (std::vector<int32_t>{6, 2, 21, 2, 101}));
    EXPECT_EQ(hero.hp, 20 - 4);  // (5 - 1) / 2 + 1 + 1
    EXPECT_EQ(events(), (std::vector<std::string>{"log Foeの攻撃!", "pause 300", "log 4のダメージを受けた!",
                                                  "pause 300"}));
}

TEST(EnemyTurn, TraitsChangeTheirDraws)
{
    startJourney();
    hero.trait = 0;  // the opponent's critical: 1 in 10
    meet(12, "Foe", 30, 5, 0, 0);
    scriptDraws({0, 0, 0, 0, 100});
    enemyTurn();
    EXPECT_EQ(drawModuli(), (std::vector<int32_t>{6, 2, 10, 2, 101}));

    startJourney();
    hero.trait = 2;  // halving, silently, before the dodge
    hero.defence = 0;
    meet(12, "Foe", 30, 20, 0, 0);
    scriptDraws({0, 0, 1, 0, 10, 100});
    enemyTurn();
    EXPECT_EQ(drawModuli(), (std::vector<int32_t>{6, 2, 21, 3, 101, 101}));
    EXPECT_EQ(hero.hp, 20 - 5);

    startJourney();
    hero.trait = 1;  // evasion doubled: 20 dodges on 0..40
    hero.evasion = 20;
    meet(12, "Foe", 30, 20, 0, 0);
    scriptDraws({0, 0, 1, 0, 40});
    enemyTurn();
    EXPECT_EQ(hero.hp, 20);
    EXPECT_EQ(logged().back(), "Heroはダメージを受けない!");
}

TEST(EnemyTurn, MovesByChoice)
{
    startJourney();
    hero.defence = 100;
    meet(12, "ケルベロス", 14, 8, 0, 3);
    setEnemyMoves(enemy, 10, "は炎を吐いた!", 0, "");
    scriptDraws({3, 0, 1, 0, 100});
    enemyTurn();
    EXPECT_EQ(logged()[0], "ケルベロスは炎を吐いた!!");
    clearCalls();
    scriptDraws({5, 0, 1, 0, 100});  // no second move: the first
    enemyTurn();
    EXPECT_EQ(logged()[0], "ケルベロスは炎を吐いた!!");

    enemy = chooseOpponent(-1);
    clearCalls();
    scriptDraws({5, 0, 1, 0, 100});
    enemyTurn();
    EXPECT_EQ(logged()[0], "ENIAC!は巨体で押しつぶした!!");
}

TEST(Defeat, BelowTheGoal)
{
    startJourney();
    hero.mp = 3;
    meet(5, "Foe", 30, 100, 0, 0);
    scriptDraws({0, 0, 1, 0, 100});
    enemyTurn();
    EXPECT_EQ(game.distance, 0);
    EXPECT_EQ(game.timeLeft, 360);
    EXPECT_EQ(hero.hp, 20);
    EXPECT_EQ(hero.mp, 3);
    EXPECT_EQ(game.inBattle, 0);
    std::vector<std::string> log = logged();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[2], "Heroは倒れた...");
    EXPECT_EQ(log[3], "10億光年戻ってしまった...。");
    EXPECT_EQ(log[4], "残り時間を40消費した...。");
}

TEST(Defeat, AtTheGoalSendsBackToNinetyOne)
{
    startJourney();
    playMusic(BossMusic);
    meet(100, "ENIAC!", 300, 100, 0, 0);
    game.epilogueWalk = game.finalBattle = 1;
    game.stage = 3;
    game.finalVoiceCount = 2;
    scriptDraws({0, 0, 1, 0, 100});
    enemyTurn();
    EXPECT_EQ(game.distance, 91);
    EXPECT_EQ(game.stage, 0);
    EXPECT_FALSE(musicIsOpen());
    EXPECT_EQ(game.epilogueWalk + game.finalBattle + game.inBattle, 0);
    EXPECT_EQ(game.finalVoiceCount, 2);  // no voice in the turn the hero falls
    EXPECT_EQ(game.timeLeft, 360);
}

TEST(Victory, SeveralLevelsInOneWin)
{
    startJourney();
    hero.exp = 9;
    meet(97, "炎狐", 1, 25, 0, 0);
    enemy.expReward = 500;
    scriptDraws({1, 1, 100});
    heroAction(AttackAction);
    EXPECT_EQ(hero.level, 10);
    EXPECT_EQ(hero.exp, 49);
    EXPECT_EQ(hero.nextExp, 191);
    int levelUps = 0, successSounds = 0;
    for (const std::string& e : events()) {
        levelUps += e == "log レベルアップ!";
        successSounds += e == "sound 3";
    }
    EXPECT_EQ(levelUps, 9);
    EXPECT_EQ(successSounds, 9);
    EXPECT_EQ(game.inBattle, 0);
    EXPECT_EQ(logged()[2], "炎狐を倒した!");
    EXPECT_EQ(logged()[3], "500の経験値を獲得!");
}

TEST(Victory, GuardianFlags)
{
    startJourney();
    meet(35, "紅玉", 1, 10, 0, 0);
    scriptDraws({1, 1, 100});
    heroAction(AttackAction);
    EXPECT_EQ(game.boss35Beaten, 1);
    meet(75, "C", 1, 10, 0, 0);
    scriptDraws({1, 1, 100});
    heroAction(AttackAction);
    EXPECT_EQ(game.boss75Beaten, 1);
}

TEST(FinalBattle, TheGoalOpponentBringsTheBossAtOnce)
{
    startJourney();
    hero.defence = 200;
    game.epilogueWalk = 1;
    meet(100, "", 1, 30, 0, 0);
    enemy.expReward = 0;
    scriptDraws({1, 1, 100, /*boss turn*/ 0, 0, 1, 0, 100});
    heroAction(AttackAction);
    std::vector<std::string> log = logged();
    EXPECT_EQ(log[2], "を倒した!");
    EXPECT_EQ(log[3], "「Dance in me!!!!!!!」");
    EXPECT_EQ(log[4], "ENIAC!の攻撃!");
    EXPECT_EQ(game.finalBattle, 1);
    EXPECT_EQ(game.stage, 3);
    EXPECT_EQ(game.inBattle, 1);
    EXPECT_STREQ(enemy.name, "ENIAC!");
    EXPECT_EQ(currentMusicTrack(), BossMusic);
    EXPECT_EQ(scriptedDrawsLeft(), 0u);
}

TEST(FinalBattle, VoiceLinesAboveAndBelowHalf)
{
    startJourney();
    hero.defence = 200;
    game.distance = 100;
    game.inBattle = game.finalBattle = game.epilogueWalk = 1;
    game.finalVoiceCount = 0;
    enemy = chooseOpponent(-1);
    std::vector<std::string> said;
    for (int turn = 1; turn <= 10; ++turn) {
        clearCalls();
        scriptDraws({0, 0, 1, 0, 100});
        enemyTurn();
        std::vector<std::string> log = logged();
        said.push_back(log.size() > 2 ? log[2] : "");
    }
    EXPECT_EQ(said, (std::vector<std::string>{"", "", "「836F834A 836F834A 836F834", "", "",
                                              "「8E8082CB 8E8082CB 8E8082C", "", "",
                                              "「8E8082CB 8E8082CB 8E8082C", ""}));
    enemy.hp = 150;
    game.finalVoiceCount = 0;
    said.clear();
    for (int turn = 1; turn <= 6; ++turn) {
        clearCalls();
        scriptDraws({0, 0, 1, 0, 100});
        enemyTurn();
        std::vector<std::string> log = logged();
        said.push_back(log.size() > 2 ? log[2] : "");
    }
    const std::string laugh = "「ﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌ";
    EXPECT_EQ(said, (std::vector<std::string>{"", "", laugh, "", "", laugh}));
}

TEST(FinalBattle, ArrivalVoicesComeOnce)
{
    startJourney();
    hero.defence = 200;
    game.distance = 100;
    game.inBattle = game.epilogueWalk = 1;
    enemy = chooseOpponent(100);
    std::vector<std::string> said;
    for (int turn = 1; turn <= 12; ++turn) {
        clearCalls();
        scriptDraws({0, 0, 1, 0, 100});
        enemyTurn();
        std::vector<std::string> log = logged();
        if (log.size() > 2)
            said.push_back(std::to_string(turn) + log[2]);
    }
    EXPECT_EQ(said, (std::vector<std::string>{"2「You...」", "6「My sun...」", "9「AAA...」"}));
}

TEST(FinalBattle, BeatingTheBossEndsTheGame)
{
    startJourney();
    game.distance = 100;
    game.inBattle = game.finalBattle = game.epilogueWalk = 1;
    enemy = chooseOpponent(-1);
    enemy.hp = 1;
    playMusic(BossMusic);
    clearCalls();
    scriptDraws({1, 1, 100});
    heroAction(AttackAction);
    const std::string laugh = "log 「ﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌﾌ";
    std::vector<std::string> e = events();
    std::vector<std::string> tail(e.end() - 12, e.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"mci stop music", "mci close music", laugh, "pause 200", laugh,
                                              "pause 200", "sound 10", laugh, "pause 200", laugh,
                                              "pause 1000", "pause 2000"}));
    EXPECT_EQ(game.ending, 1);
    EXPECT_EQ(game.inBattle, 0);
    EXPECT_EQ(recordedCalls().back().verb, "hideControl");
    EXPECT_EQ(scriptedDrawsLeft(), 0u);  // no opponent turn
}

TEST(Actions, HealAndTrumpCards)
{
    startJourney();
    hero.maxHp = hero.hp = 7;
    hero.mp = 10;
    handleCommand(Heal);
    EXPECT_EQ(hero.hp, 7);
    EXPECT_EQ(hero.mp, 5);
    EXPECT_EQ(events()[0], "sound 8");
    EXPECT_EQ(logged()[0], "Heroの体力が3回復した。");

    startJourney();
    hero.mp = 20;
    hero.trumpCard = 1;
    hero.trumpCost = 5;
    meet(35, "紅玉", 50, 10, 4, 5);
    scriptDraws({4, /*enemy turn*/ 0, 0, 1, 0, 100});
    heroAction(TrumpCardAction);
    EXPECT_EQ(enemy.defence, 0);
    EXPECT_EQ(hero.mp, 15);
    EXPECT_EQ(logged()[0], "紅玉の防御力を9下げた!");

    startJourney();
    hero.mp = 20;
    hero.trumpCard = 2;
    meet(2, "オーク", 4, 3, 0, 3);
    scriptDraws({4, 0, 0, 1, 0, 100});
    heroAction(TrumpCardAction);
    EXPECT_EQ(enemy.attack, -2);

    startJourney();
    hero.mp = 80;
    hero.trumpCard = 5;
    hero.trumpCost = 70;
    meet(12, "Foe", 30, 3, 0, 0);
    scriptDraws({1, 0, 100});
    heroAction(TrumpCardAction);
    EXPECT_EQ(events()[0], "log Heroはバグストリームを放った!!");
    EXPECT_EQ(events()[2], "sound 10");
    EXPECT_EQ(enemy.hp, 0);
    EXPECT_EQ(hero.mp, 10);
    EXPECT_EQ(game.inBattle, 0);
}

// Each card's announcement and sound, and the last card standing in for any
// index outside 0..4.
TEST(Actions, EveryTrumpCardAnnouncesItself)
{
    struct Case {
        int32_t card;
        const char* first;
        const char* sound;
    };
    const Case cases[] = {
        {0, "log Heroの体力は全快した!", "sound 8"},
        {3, "log Heroはデストラクトを放った!!", "sound 10"},
        {4, "log Heroはデフレスパイラルを放った!!", "sound 10"},
        {9, "log Heroはバグストリームを放った!!", "sound 10"},
        {-1, "log Heroはバグストリームを放った!!", "sound 10"},
    };
    for (const Case& c : cases) {
        startJourney();
        hero.mp = 80;
        hero.hp = 1;
        hero.trumpCard = c.card;
        hero.trumpCost = 6;
        meet(12, "Foe", 3000, 3, 0, 0);
        scriptDraws({1, 0, 100, /*enemy turn*/ 0, 0, 1, 0, 100});
        heroAction(TrumpCardAction);
        std::vector<std::string> seen = events();
        ASSERT_GE(seen.size(), 3u) << c.card;
        EXPECT_EQ(seen[0], c.card == 0 ? c.sound : c.first) << c.card;
        EXPECT_EQ(c.card == 0 ? seen[1] : seen[2], c.card == 0 ? c.first : c.sound) << c.card;
        EXPECT_EQ(hero.mp, 74) << c.card;
    }
    EXPECT_EQ(trumpCardCaption(6), nullptr);
    EXPECT_EQ(trumpCardCost(-1), 0);
}
