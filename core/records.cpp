// The one home of the game's three global records.
#include "core/records.h"

#include <cstring>

GameState game;
HeroRecord hero;
EnemyRecord enemy;

void clearAllRecords()
{
    std::memset(&game, 0, sizeof game);
    std::memset(&hero, 0, sizeof hero);
    std::memset(&enemy, 0, sizeof enemy);
}
