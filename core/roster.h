// The opponents: four fixed ones and a table of 21 rows chosen by distance.
#pragma once

#include <cstdint>

#include "core/records.h"

// The pseudo-distance that asks for the final boss.
const int32_t finalBossDistance = -1;

EnemyRecord makeEnemy(const char* name, int32_t maxHp, int32_t attack, int32_t defence,
                      int32_t evasion, int32_t expReward);
void setEnemyMoves(EnemyRecord& record, int32_t move1Power, const char* move1Text,
                   int32_t move2Power, const char* move2Text);
EnemyRecord chooseOpponent(int32_t distance);
