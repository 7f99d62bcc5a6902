// Shared set-up for the rule tests: a fresh process, a ready hero, scripted
// draws, and the recorded calls as a compact list of events.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/random.h"
#include "core/records.h"
#include "shell/recorder/recorder.h"

// Records zero-filled, log empty, music closed, recorder cleared: as at start.
void freshProcess();
// A game in progress at distance 0 with a plain hero (no trait that acts).
void startJourney();
// The next draws, as the values random % n should give. Also starts
// recording the moduli of the draws (drawModuli).
void scriptDraws(std::initializer_list<int32_t> values);
std::vector<int32_t> drawModuli();

// The log lines, sounds, pauses, boxes and music commands since the last
// clearCalls, in order: "log TEXT", "sound N", "pause N", "box CAPTION|TEXT",
// "mci COMMAND".
std::vector<std::string> events();
// Only the "log" events, without the prefix.
std::vector<std::string> logged();
void clearCalls();
// How often a verb was called since the last clearCalls.
int countCalls(const std::string& verb);
// True when an invalidate of exactly this rectangle was recorded.
bool invalidated(int left, int top, int right, int bottom);
