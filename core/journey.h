// The six commands, what happens on the distance just reached, resting, and
// which buttons are available when.
#pragma once

void handleCommand(int command);
// roll 1: an encounter may start on this step; 0: it may not.
void resolveStep(int roll);
// Returns 1 when resting used up the last of the time (the game was reset).
int restHero();
void updateControls();
