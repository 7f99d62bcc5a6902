// Taking a program file's Fingerprint: open it, apply the age rule to its
// last-write date, read it whole and digest it.
#include "capture/fingerprint.h"

#include <cstdlib>
#include <cstring>

#include "shell/platform.h"

static const uint64_t fileTimeUnitsPerDay = 864000000000ull;  // 100 ns units

// The civil date of a day count since 1970-01-01 (proleptic Gregorian).
static CalendarDate dateOfDays(int64_t days)
{
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // March is 0
    CalendarDate date;
    date.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    date.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

// The day count since 1970-01-01 of a civil date.
static int64_t daysOfDate(const CalendarDate& date)
{
    int64_t year = date.year - (date.month <= 2 ? 1 : 0);
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t shiftedMonth = (date.month + 9) % 12;
    int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + date.day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool fileTimeToDate(uint64_t fileTime, CalendarDate* date)
{
    if (fileTime > static_cast<uint64_t>(INT64_MAX))
        return false;
    const int64_t daysFrom1601To1970 = 134774;
    *date = dateOfDays(static_cast<int64_t>(fileTime / fileTimeUnitsPerDay) - daysFrom1601To1970);
    return true;
}

// Deliberately three separate tests and not a comparison of whole dates: a
// new month or year is always enough, and a future date can pass.
bool isOldEnoughOn(const CalendarDate& file, const CalendarDate& today)
{
    if (today.year > file.year)
        return true;
    if (today.month > file.month)
        return true;
    return today.day > file.day + 3;
}

bool isOldEnough(uint64_t lastWriteTime)
{
    CalendarDate file;
    CalendarDate today;
    if (!fileTimeToDate(lastWriteTime, &file) || !fileTimeToDate(platform::currentFileTime(), &today))
        return false;
    return isOldEnoughOn(file, today);
}

CalendarDate firstOldEnoughDay(const CalendarDate& file, const CalendarDate& today)
{
    // Within a year either the month test or the day test holds on some day,
    // unless the file is dated December 28th or later: then only the year
    // test can, from the first of January after the file's year.
    int64_t start = daysOfDate(today);
    for (int64_t day = start + 1; day <= start + 400; ++day) {
        CalendarDate candidate = dateOfDays(day);
        if (isOldEnoughOn(file, candidate))
            return candidate;
    }
    return CalendarDate{file.year + 1, 1, 1};
}

bool fingerprintBytes(const unsigned char* bytes, size_t length, char fingerprint[fingerprintSize])
{
    unsigned char digest[16];
    if (!platform::md5Digest(bytes, length, digest))
        return false;
    static const char hexDigits[] = "0123456789abcdef";
    for (int i = 0; i < 16; ++i) {
        fingerprint[2 * i] = hexDigits[digest[i] >> 4];
        fingerprint[2 * i + 1] = hexDigits[digest[i] & 0x0f];
    }
    fingerprint[32] = '\0';
    return true;
}

// The age rule on an open file. A last-write time that cannot be read or
// turned into a date is a failure, not a young file.
static int ageOfOpenFile(FileRef file)
{
    uint64_t lastWrite = 0;
    CalendarDate fileDate;
    CalendarDate today;
    if (!platform::fileLastWriteTime(file, &lastWrite) || !fileTimeToDate(lastWrite, &fileDate) ||
        !fileTimeToDate(platform::currentFileTime(), &today))
        return FingerprintFailed;
    return isOldEnoughOn(fileDate, today) ? FingerprintTaken : FingerprintTooYoung;
}

// Reads the whole open file into one buffer and digests it into fingerprint.
static int digestOpenFile(FileRef file, char fingerprint[fingerprintSize])
{
    uint32_t size = 0;
    if (!platform::fileSize32(file, &size) || size == 0)
        return FingerprintFailed;
    unsigned char* buffer = static_cast<unsigned char*>(std::malloc(size));
    if (!buffer)
        return FingerprintFailed;
    // The digest goes to a scratch buffer first, so that a failing digest
    // leaves the caller's buffer as it was.
    char digest[fingerprintSize];
    bool taken = platform::fileReadAll(file, buffer, size) && fingerprintBytes(buffer, size, digest);
    std::free(buffer);
    if (!taken)
        return FingerprintFailed;
    std::memcpy(fingerprint, digest, fingerprintSize);
    return FingerprintTaken;
}

int fingerprintFile(const char* path, char fingerprint[fingerprintSize])
{
    FileRef file = platform::fileOpen(path, ShareRead);
    if (file == noFile)
        return FingerprintFailed;
    int result = ageOfOpenFile(file);  // before the size: a young empty file is young
    if (result == FingerprintTaken)
        result = digestOpenFile(file, fingerprint);
    platform::fileClose(file);
    return result;
}
