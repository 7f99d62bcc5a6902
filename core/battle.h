// One exchange of a battle: the hero's action, then victory or the
// opponent's turn, with the final boss and the switch to the ending.
#pragma once

enum HeroActionKind : int { AttackAction = 0, HealAction = 1, TrumpCardAction = 2 };

int heroAction(int action);
int heroAttack(double multiplier);
int enemyTurn();
