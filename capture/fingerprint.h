// The Fingerprint of a program file: the age rule on its last-write date, then
// the MD5 digest of its whole content as 32 lowercase hexadecimal digits.
#pragma once

#include <cstddef>
#include <cstdint>

const int fingerprintSize = 33;  // 32 digits and the NUL

enum FingerprintResult : int { FingerprintFailed = 0, FingerprintTaken = 1, FingerprintTooYoung = 2 };

struct CalendarDate {
    int year;
    int month;  // 1..12
    int day;    // 1..31
};

// The UTC calendar date of a Windows file time; false when it is out of range
// (a file time with its top bit set, as the system's own conversion refuses).
bool fileTimeToDate(uint64_t fileTime, CalendarDate* date);
// The age rule, against today's UTC date. False also when either time cannot
// be converted to a date.
bool isOldEnough(uint64_t lastWriteTime);
// The age rule between two dates.
bool isOldEnoughOn(const CalendarDate& file, const CalendarDate& today);
// The first day after today on which a file of that date passes the age rule
// (today itself fails it, or the question would not be asked).
CalendarDate firstOldEnoughDay(const CalendarDate& file, const CalendarDate& today);
// Writes the Fingerprint of the bytes; false only if the platform's digest
// failed, and then the buffer is left as it was.
bool fingerprintBytes(const unsigned char* bytes, size_t length, char fingerprint[fingerprintSize]);
// 1 taken, 2 too young, 0 failure; fingerprint is written only on 1.
int fingerprintFile(const char* path, char fingerprint[fingerprintSize]);
