// The three records every rule reads and writes: the running game, the hero
// and the current opponent. One global of each, defined in records.cpp.
#pragma once

#include <cstdint>

// The player's character. Field order and widths are fixed.
struct HeroRecord {
    char name[260];
    int32_t level;
    int32_t maxHp;
    int32_t hp;
    int32_t mp;
    int32_t maxMp;
    int32_t attack;
    int32_t defence;
    int32_t trumpCard;
    int32_t trumpCost;
    int32_t hpGrowth;
    int32_t mpGrowth;
    int32_t attackGrowth;
    int32_t defenceGrowth;
    int32_t evasion;
    int32_t exp;
    int32_t nextExp;
    int32_t trait;
};

// The current opponent, replaced whole when a battle starts.
struct EnemyRecord {
    char name[260];
    int32_t hp;
    int32_t maxHp;
    int32_t attack;
    int32_t defence;
    int32_t evasion;
    int32_t expReward;
    int32_t move1Power;
    char move1Text[52];
    int32_t move2Power;
    char move2Text[52];
};

// The running game. Flags hold 0 or 1. The last six counters survive resetGame.
struct GameState {
    int32_t distance;
    int32_t timeLeft;
    int32_t stage;
    int32_t atRestPoint;
    int32_t inBattle;
    int32_t heroReady;
    int32_t aiming;
    int32_t secondArrowReady;
    int32_t secondArrowUsed;
    int32_t boss35Beaten;
    int32_t boss75Beaten;
    int32_t epilogueWalk;
    int32_t finalBattle;
    int32_t ending;
    int32_t endingShown;
    int32_t timeUp;
    int32_t stepCounter;
    int32_t hpRegenPool;
    int32_t mpRegenPool;
    int32_t arrivalVoiceCount;
    int32_t finalVoiceCount;
    int32_t arrowMisses;
};

// What one level-up added to the four growing statistics.
struct LevelGains {
    int32_t hpGain;
    int32_t mpGain;
    int32_t attackGain;
    int32_t defenceGain;
};

// The hero's passive trait, HeroRecord::trait, by number; each comment gives
// the name the ResultPanel shows and what the trait does.
enum Trait : int32_t {
    OftenCriticalTrait = 0,  // "クリティカル2倍": the opponent's critical hits come 1 in 10, not 1 in 21
    DoubleEvasionTrait = 1,  // "回避率2倍": the hero's evasion counts double
    HalfDamageTrait = 2,     // "時々ダメージ半分": a blow is sometimes halved
    HpRecoveryTrait = 3,     // "HP自然回復率UP": HP recovers from a pool of 35, not 50
    MpRecoveryTrait = 4,     // "MP自然回復率UP": MP recovers from a pool of 35, not 50
    EncounterTrait = 5,      // "敵遭遇率UP": encounters on 45 of 101, not 34
};
const int traitCount = 6;

// Scene backgrounds selected by GameState::stage.
enum Stage : int32_t { RoadStage = 0, GuardianStage = 1, RestStage = 2, FinalStage = 3 };

// Command numbers: the button identifiers and the argument of handleCommand.
enum Command : int {
    Advance = 101,
    Rest = 102,
    TrumpCard = 103,
    Back = 104,
    Heal = 105,
    MarkTime = 106,
};

extern GameState game;
extern HeroRecord hero;
extern EnemyRecord enemy;

// Zero-fills all three records, as at process start. For tests and tools.
void clearAllRecords();
