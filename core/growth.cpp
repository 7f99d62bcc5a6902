// Level-ups: growth trials against the hero's rates and the rising
// experience requirement.
#include "core/growth.h"

#include "core/arith.h"
#include "core/random.h"

int32_t countSuccesses(int32_t rate, int32_t trials)
{
    int32_t successes = 0;
    for (int32_t i = 0; i < trials; ++i)
        if (randomBelow(101) < rate)
            ++successes;
    return successes;
}

LevelGains levelUp(HeroRecord& record)
{
    LevelGains gains;
    gains.hpGain = countSuccesses(record.hpGrowth, 5);
    gains.mpGain = countSuccesses(record.mpGrowth, 4);
    gains.attackGain = countSuccesses(record.attackGrowth, 4);
    gains.defenceGain = countSuccesses(record.defenceGrowth, 3);
    record.maxHp = addSat(record.maxHp, gains.hpGain);
    record.maxMp = addSat(record.maxMp, gains.mpGain);
    record.attack = addSat(record.attack, gains.attackGain);
    record.defence = addSat(record.defence, gains.defenceGain);
    record.level = addSat(record.level, 1);
    record.exp = subSat(record.exp, record.nextExp);
    // Up to 1000 the requirement grows by 40 %, beyond by 10 %.
    record.nextExp = mulTrunc(record.nextExp, record.nextExp <= 1000 ? 1.4 : 1.1);
    return gains;
}
