// The replay's trace: what the game did during one script line (log lines,
// sounds, music commands, pauses, boxes) and the records after it.
#pragma once

#include <cstdio>

// The events recorded since the recorder's calls were last cleared, one line each.
void printEvents(FILE* out);
// The three lines of state: the game, the hero and the current opponent.
void printRecords(FILE* out);
