// The age rule, the file time's calendar date, and fingerprintFile against
// scripted files: result codes, the order of its steps, and its cleanup.
#include <cstring>

#include "capture/fingerprint.h"
#include "tests/unit/support.h"

namespace {

struct AgeCase {
    CalendarDate file;
    CalendarDate today;
    bool oldEnough;
};

TEST(AgeRule, ThreeSeparateTestsNotADateComparison)
{
    const AgeCase cases[] = {
        {{2026, 1, 31}, {2026, 2, 1}, true},     // a new month is enough
        {{2025, 12, 31}, {2026, 1, 1}, true},    // a new year is enough
        {{2026, 3, 10}, {2026, 3, 13}, false},   // 13 is not above 10 + 3
        {{2026, 3, 10}, {2026, 3, 14}, true},
        {{2026, 3, 10}, {2026, 3, 10}, false},   // written today
        {{2027, 1, 1}, {2026, 6, 1}, true},      // future file, month test
        {{2026, 5, 28}, {2026, 3, 30}, false},   // future file, no test holds
        {{2026, 5, 20}, {2026, 3, 30}, true},    // future file, day test
        {{2026, 12, 28}, {2026, 12, 31}, false}, // 31 is not above 31
        {{2025, 3, 20}, {2026, 2, 1}, true},     // year alone, month and day smaller
    };
    for (const AgeCase& c : cases)
        EXPECT_EQ(isOldEnoughOn(c.file, c.today), c.oldEnough)
            << c.file.year << "-" << c.file.month << "-" << c.file.day << " on " << c.today.year
            << "-" << c.today.month << "-" << c.today.day;
}

TEST(AgeRule, OnlyTheUtcDateCountsNotTheTimeOfDay)
{
    freshProcess();
    setFakeNow(fileTimeOf(2026, 3, 14, 0));
    EXPECT_TRUE(isOldEnough(fileTimeOf(2026, 3, 10, 23) + 59 * 60 * 10000000ull));
    setFakeNow(fileTimeOf(2026, 3, 13, 23) + 59 * 60 * 10000000ull);
    EXPECT_FALSE(isOldEnough(fileTimeOf(2026, 3, 10, 0)));
    // A time that has no calendar date is never old enough.
    EXPECT_FALSE(isOldEnough(0x8000000000000000ull));
}

TEST(FileTimeToDate, AgreesWithTheCalendarOverCenturiesOfDays)
{
    // Every day from 1899 to 2101 (century and leap-year rules included),
    // at both ends of the day.
    CalendarDate date;
    for (int year = 1899; year <= 2101; ++year) {
        for (int month = 1; month <= 12; ++month) {
            static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
            int days = lengths[month - 1] + (month == 2 && leap ? 1 : 0);
            for (int day = 1; day <= days; ++day) {
                uint64_t start = fileTimeOf(year, month, day, 0);
                ASSERT_TRUE(fileTimeToDate(start, &date));
                ASSERT_TRUE(date.year == year && date.month == month && date.day == day)
                    << year << "-" << month << "-" << day;
                ASSERT_TRUE(fileTimeToDate(start + 864000000000ull - 1, &date));
                ASSERT_EQ(date.day, day);
            }
        }
    }
}

TEST(FileTimeToDate, RangeEnds)
{
    CalendarDate date;
    ASSERT_TRUE(fileTimeToDate(0, &date));
    EXPECT_TRUE(date.year == 1601 && date.month == 1 && date.day == 1);
    ASSERT_TRUE(fileTimeToDate(0x7fffffffffffffffull, &date));
    EXPECT_TRUE(date.year == 30828 && date.month == 9 && date.day == 14);
    EXPECT_FALSE(fileTimeToDate(0x8000000000000000ull, &date));
    EXPECT_FALSE(fileTimeToDate(~0ull, &date));
}

TEST(FirstOldEnoughDay, IsTheFirstDayThatPasses)
{
    struct Case {
        CalendarDate file;
        CalendarDate today;
        CalendarDate first;
    };
    const Case cases[] = {
        {{2026, 3, 10}, {2026, 3, 10}, {2026, 3, 14}},
        {{2026, 1, 30}, {2026, 1, 30}, {2026, 2, 1}},    // the month turns before the 34th
        {{2026, 12, 30}, {2026, 12, 31}, {2027, 1, 1}},
        {{2026, 5, 28}, {2026, 3, 30}, {2026, 6, 1}},    // future file
        {{2031, 12, 29}, {2026, 6, 1}, {2032, 1, 1}},    // only the year test can pass
    };
    for (const Case& c : cases) {
        CalendarDate first = firstOldEnoughDay(c.file, c.today);
        EXPECT_TRUE(first.year == c.first.year && first.month == c.first.month &&
                    first.day == c.first.day)
            << "got " << first.year << "-" << first.month << "-" << first.day;
        EXPECT_TRUE(isOldEnoughOn(c.file, first));
    }
}

const char sentinel[fingerprintSize] = "untouched-untouched-untouched-01";

// Runs fingerprintFile on path; the buffer starts as the sentinel.
int fingerprintOf(const char* path, char* out)
{
    std::memcpy(out, sentinel, fingerprintSize);
    return fingerprintFile(path, out);
}

FakeFile oldFile(const std::string& contents)
{
    FakeFile file;
    file.contents = contents;
    file.lastWrite = fileTimeOf(2024, 5, 1);
    return file;
}

TEST(FingerprintFile, TakesTheDigestOfTheWholeFileInOrder)
{
    freshProcess();
    addFakeFile("C:\\app.exe", oldFile("a"));
    char out[fingerprintSize];
    ASSERT_EQ(fingerprintOf("C:\\app.exe", out), FingerprintTaken);
    EXPECT_STREQ(out, "0cc175b9c0f1b6a831c399e269772661");  // MD5 of "a"

    std::vector<std::string> verbs;
    for (const RecordedCall& call : recordedCalls())
        verbs.push_back(call.verb);
    EXPECT_EQ(verbs, (std::vector<std::string>{"fileOpen", "fileLastWriteTime", "fileSize32",
                                               "fileReadAll", "md5Digest", "fileClose"}));
    EXPECT_EQ(callsOf("fileOpen")[0].args[0], ShareRead);
    EXPECT_EQ(callsOf("fileReadAll")[0].args[0], 1);
    EXPECT_EQ(openFileCount(), 0);
}

TEST(FingerprintFile, FailuresLeaveTheBufferAndCloseTheFile)
{
    struct Case {
        const char* what;
        FakeFile file;
        bool present;
    };
    FakeFile locked = oldFile("abc"), noTime = oldFile("abc"), farTime = oldFile("abc"),
             large = oldFile("abc"), unreadable = oldFile("abc");
    locked.locked = true;
    noTime.timeUnreadable = true;
    farTime.lastWrite = 0x8000000000000001ull;
    large.tooLarge = true;
    unreadable.readFails = true;
    const Case cases[] = {
        {"missing", FakeFile(), false},     {"empty", oldFile(""), true},
        {"locked", locked, true},           {"time unreadable", noTime, true},
        {"time without a date", farTime, true}, {"too large", large, true},
        {"read fails", unreadable, true},
    };
    for (const Case& c : cases) {
        freshProcess();
        if (c.present)
            addFakeFile("C:\\x.exe", c.file);
        char out[fingerprintSize];
        EXPECT_EQ(fingerprintOf("C:\\x.exe", out), FingerprintFailed) << c.what;
        EXPECT_EQ(std::memcmp(out, sentinel, fingerprintSize), 0) << c.what;
        EXPECT_EQ(openFileCount(), 0) << c.what;
        EXPECT_EQ(countCalls("fileOpen"), countCalls("fileClose") + (c.present && !c.file.locked ? 0 : 1))
            << c.what;
    }
}

TEST(FingerprintFile, AFailingDigestIsAFailure)
{
    freshProcess();
    addFakeFile("C:\\x.exe", oldFile("abc"));
    failDigest(true);
    char out[fingerprintSize];
    EXPECT_EQ(fingerprintOf("C:\\x.exe", out), FingerprintFailed);
    EXPECT_EQ(std::memcmp(out, sentinel, fingerprintSize), 0);
    EXPECT_EQ(openFileCount(), 0);
}

TEST(FingerprintFile, TheAgeRuleComesBeforeTheSizeAndNothingIsRead)
{
    for (const char* contents : {"", "abc"}) {
        freshProcess();
        setFakeNow(fileTimeOf(2026, 3, 12));
        FakeFile young = oldFile(contents);
        young.lastWrite = fileTimeOf(2026, 3, 10);
        young.tooLarge = true;
        addFakeFile("C:\\young.exe", young);
        char out[fingerprintSize];
        EXPECT_EQ(fingerprintOf("C:\\young.exe", out), FingerprintTooYoung);
        EXPECT_EQ(std::memcmp(out, sentinel, fingerprintSize), 0);
        EXPECT_EQ(countCalls("fileSize32"), 0);
        EXPECT_EQ(countCalls("fileReadAll"), 0);
        EXPECT_EQ(openFileCount(), 0);
    }
}

TEST(FingerprintBytes, LowercaseDigitsWithLeadingZeros)
{
    freshProcess();
    const unsigned char digest[16] = {0x00, 0x0f, 0xf0, 0xff, 0x01, 0x10, 0xab, 0xcd,
                                      0xef, 0x12, 0x34, 0x56, 0x78, 0x9a, 0xbc, 0x0d};
    scriptDigest(digest);
    char out[fingerprintSize];
    std::memset(out, 'x', sizeof out);
    ASSERT_TRUE(fingerprintBytes(reinterpret_cast<const unsigned char*>("z"), 1, out));
    EXPECT_STREQ(out, "000ff0ff0110abcdef123456789abc0d");
}

}  // namespace
