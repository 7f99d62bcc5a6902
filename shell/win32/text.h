// The rules' Shift_JIS (code page 932) as UTF-16 for the wide Win32 calls,
// and program paths between the two: whatever the system's code page for
// programs that are not Unicode, the game shows Japanese and reads every
// path. Shared by the game and the Windows tools.
#pragma once

#include <string>

// Shift_JIS text as UTF-16, converted from code page 932 explicitly.
std::wstring wideOf(const char* sjis);
// UTF-16 as Shift_JIS: each character without a Shift_JIS form becomes one
// "?" (no near look-alike is taken in its place).
std::string sjisOf(const std::wstring& wide);

// A program path as the rules see it (Shift_JIS), keeping the real UTF-16
// path behind it for opening the file and taking its icon.
std::string rulePathOfWide(const std::wstring& widePath);
// The real path behind a rule path made by rulePathOfWide, else the rule
// path's own characters.
std::wstring widePathOf(const char* rulePath);
