// The three text panels: the five-line MessageLog, the StatusPanel and the
// ResultPanel.
#pragma once

const int logLineCount = 5;
const int logLineSize = 100;  // 99 bytes of text and the NUL

// Adds a line (cut to 99 bytes at a character boundary) and shows the log.
void appendLog(const char* text);
// Formats a line (bounded) and appends it.
void appendLogf(const char* format, ...) __attribute__((format(printf, 1, 2)));
void refreshStatus();
void fillResult();
// Line 1 (oldest) to 5 (newest), for tests and tools.
const char* logLine(int line);
