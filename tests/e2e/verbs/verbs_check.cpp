// Checks the Win32 file and digest verbs on the real system: the RFC 1321
// suite through BCrypt, fingerprintFile on missing, empty, young, locked and
// oversized files, the calendar date against the system's own conversion,
// and the conversions between the rules' Shift_JIS and UTF-16, with a file
// whose name has a character outside Shift_JIS. Prints one line per failed check; the exit code is 0 only when
// every check held.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "capture/fingerprint.h"
#include "shell/platform.h"
#include "shell/win32/text.h"
#include "tests/md5_suite.h"

static int failures = 0;
static int checks = 0;

static void check(bool held, const std::string& what)
{
    ++checks;
    if (!held) {
        std::printf("FAIL: %s\n", what.c_str());
        ++failures;
    }
}

static const char sentinel[fingerprintSize] = "untouched-untouched-untouched-01";
static std::string folder;

static uint64_t fileTimeValue(const FILETIME& time)
{
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

static FILETIME fileTimeOfValue(uint64_t value)
{
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(value);
    time.dwHighDateTime = static_cast<DWORD>(value >> 32);
    return time;
}

// A file in the scratch folder with these contents, last written at the
// given file time (0: now).
static std::string writeFile(const char* name, const std::string& contents, uint64_t written)
{
    std::string path = folder + "\\" + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    check(file != INVALID_HANDLE_VALUE, "create " + path);
    DWORD done = 0;
    if (!contents.empty())
        WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &done, nullptr);
    if (written != 0) {
        FILETIME time = fileTimeOfValue(written);
        check(SetFileTime(file, nullptr, nullptr, &time) != 0, "set the time of " + path);
    }
    CloseHandle(file);
    return path;
}

static uint64_t oldTime()
{
    SYSTEMTIME date = {};
    date.wYear = 2020;
    date.wMonth = 1;
    date.wDay = 1;
    date.wHour = 12;
    FILETIME time;
    SystemTimeToFileTime(&date, &time);
    return fileTimeValue(time);
}

// fingerprintFile with the sentinel in the buffer beforehand.
static int fingerprintOf(const std::string& path, char* out)
{
    std::memcpy(out, sentinel, fingerprintSize);
    return fingerprintFile(path.c_str(), out);
}

static bool untouched(const char* out)
{
    return std::memcmp(out, sentinel, fingerprintSize) == 0;
}

static void checkDigests()
{
    int n = 0;
    for (const auto& row : rfcSuite) {
        char out[fingerprintSize];
        bool taken = fingerprintBytes(reinterpret_cast<const unsigned char*>(row[0]),
                                      std::strlen(row[0]), out);
        check(taken && std::strcmp(out, row[1]) == 0, std::string("BCrypt MD5 of \"") + row[0] + "\"");
        if (row[0][0] == '\0')
            continue;
        std::string name = "rfc" + std::to_string(n++) + ".bin";
        int result = fingerprintOf(writeFile(name.c_str(), row[0], oldTime()), out);
        check(result == FingerprintTaken && std::strcmp(out, row[1]) == 0,
              std::string("fingerprint of a file holding \"") + row[0] + "\"");
    }
}

static void checkRefusedFiles()
{
    char out[fingerprintSize];
    check(fingerprintOf(folder + "\\missing.exe", out) == FingerprintFailed && untouched(out),
          "a missing file fails and leaves the buffer");
    check(fingerprintOf(writeFile("empty.exe", "", oldTime()), out) == FingerprintFailed &&
              untouched(out),
          "an old empty file fails and leaves the buffer");
    check(fingerprintOf(writeFile("young-empty.exe", "", 0), out) == FingerprintTooYoung &&
              untouched(out),
          "a young empty file is too young");
    check(fingerprintOf(writeFile("young.exe", "abc", 0), out) == FingerprintTooYoung && untouched(out),
          "a young file is too young and leaves the buffer");
    check(fingerprintOf(folder, out) == FingerprintFailed && untouched(out), "a folder fails");
    check(fingerprintOf(writeFile("one.exe", "\x7f", oldTime()), out) == FingerprintTaken &&
              std::strcmp(out, "83acb6e67e50e31db6ed341dd2de1595") == 0,
          "a one-byte file gives the digest of its byte");
}

static void checkLockedFile()
{
    std::string path = writeFile("locked.exe", "abc", oldTime());
    char out[fingerprintSize];
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    check(fingerprintOf(path, out) == FingerprintTaken, "another reader does not stop the fingerprint");
    CloseHandle(reader);
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    check(writer != INVALID_HANDLE_VALUE, "open the file for writing");
    check(fingerprintOf(path, out) == FingerprintFailed && untouched(out),
          "a file held open for writing fails and leaves the buffer");
    CloseHandle(writer);
    check(fingerprintOf(path, out) == FingerprintTaken &&
              std::strcmp(out, "900150983cd24fb0d6963f7d28e17f72") == 0,
          "the same file once the writer has closed it");
}

static void checkVerbs()
{
    uint64_t written = oldTime() + 1234567;
    std::string path = writeFile("verbs.exe", "hello", written);
    FileRef file = platform::fileOpen(path.c_str(), ShareRead);
    check(file != noFile, "fileOpen of an existing file");
    uint64_t time = 0;
    uint32_t size = 0;
    char buffer[6] = {};
    check(platform::fileLastWriteTime(file, &time) && time == written, "fileLastWriteTime is the time set");
    check(platform::fileSize32(file, &size) && size == 5, "fileSize32 of a 5-byte file");
    check(platform::fileReadAll(file, buffer, 5) && std::strcmp(buffer, "hello") == 0, "fileReadAll");
    check(!platform::fileReadAll(file, buffer, 6), "fileReadAll of more than the file holds fails");
    platform::fileClose(file);
    file = platform::fileOpen(path.c_str(), ShareNothing);
    check(file != noFile, "fileOpen without sharing");
    check(platform::fileOpen(path.c_str(), ShareRead) == noFile, "a file opened without sharing cannot be opened again");
    platform::fileClose(file);

    // A sparse file of 4 GiB and 2 bytes: its size does not fit in 32 bits.
    std::string huge = writeFile("huge.exe", "MZ", 0);
    HANDLE grow = CreateFileA(huge.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = (1ll << 32) + 2;
    check(SetFilePointerEx(grow, end, nullptr, FILE_BEGIN) && SetEndOfFile(grow), "grow a file past 4 GiB");
    FILETIME old = fileTimeOfValue(oldTime());
    SetFileTime(grow, nullptr, nullptr, &old);
    CloseHandle(grow);
    char out[fingerprintSize];
    check(fingerprintOf(huge, out) == FingerprintFailed && untouched(out), "a file past 4 GiB fails");
    DeleteFileA(huge.c_str());

    SYSTEMTIME nowDate;
    GetSystemTime(&nowDate);
    FILETIME now;
    SystemTimeToFileTime(&nowDate, &now);
    uint64_t current = platform::currentFileTime();
    check(current + 20000000 >= fileTimeValue(now) && current <= fileTimeValue(now) + 20000000,
          "currentFileTime is the system time");
}

// The calendar date of file times across the whole range agrees with the system's.
static void checkDates()
{
    for (uint64_t value = 0; value < 0x7fffffffffffffffull - 0x0123456789abcdull; value += 0x0123456789abcdull) {
        FILETIME time = fileTimeOfValue(value);
        SYSTEMTIME system;
        CalendarDate date;
        bool converted = FileTimeToSystemTime(&time, &system) != 0;
        check(converted && fileTimeToDate(value, &date) && date.year == system.wYear &&
                  date.month == system.wMonth && date.day == system.wDay,
              "the date of file time " + std::to_string(value));
    }
    FILETIME top = fileTimeOfValue(0x8000000000000000ull);
    SYSTEMTIME system;
    CalendarDate date;
    check(!FileTimeToSystemTime(&top, &system) && !fileTimeToDate(0x8000000000000000ull, &date),
          "a file time with its top bit set has no date");
}

// Shift_JIS to UTF-16 and back with code page 932 whatever the system's
// own, and a program path that Shift_JIS cannot spell, found and read.
static void checkConversions()
{
    // ｱﾛｰ【】ＨＰ and the ideographic space, as the rules write them.
    const char sjis[] = "\xb1\xdb\xb0\x81\x79\x81\x7a\x82\x67\x82\x6f\x81\x40";
    const std::wstring wide = L"\uff71\uff9b\uff70\u3010\u3011\uff28\uff30\u3000";
    check(wideOf(sjis) == wide, "half-width katakana, brackets, full-width letters and the ideographic space to UTF-16");
    check(sjisOf(wide) == sjis, "and back to Shift_JIS");
    check(wideOf("") == L"" && sjisOf(L"") == "", "empty texts");
    check(sjisOf(L"zo\u00eb\u0141") == "zo??", "each character without a Shift_JIS form is one ?");

    std::wstring widePath = std::wstring(folder.begin(), folder.end()) + L"\\zo\u00eb.exe";
    HANDLE file = CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    check(file != INVALID_HANDLE_VALUE, "create a file named with a character outside Shift_JIS");
    DWORD done = 0;
    WriteFile(file, "abc", 3, &done, nullptr);
    FILETIME time = fileTimeOfValue(oldTime());
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    std::string rulePath = rulePathOfWide(widePath);
    check(rulePath == folder + "\\zo?.exe", "its rule path spells the character as ?");
    char out[fingerprintSize];
    check(fingerprintOf(rulePath, out) == FingerprintTaken &&
              std::strcmp(out, "900150983cd24fb0d6963f7d28e17f72") == 0,
          "the file behind that rule path is read");
}

static void removeFolder()
{
    std::wstring wideFolder(folder.begin(), folder.end());
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((wideFolder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((wideFolder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(wideFolder.c_str());
}

int main()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    folder = std::string(temp) + "tavrenne-verbs-" + std::to_string(GetCurrentProcessId());
    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
        std::printf("FAIL: cannot create %s\n", folder.c_str());
        return 1;
    }
    checkDigests();
    checkRefusedFiles();
    checkLockedFile();
    checkVerbs();
    checkDates();
    checkConversions();
    std::printf("%s: %d of %d checks failed\n", failures ? "FAILED" : "passed", failures, checks);
    removeFolder();
    return failures ? 1 : 0;
}
