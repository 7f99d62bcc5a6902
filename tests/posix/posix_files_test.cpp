// The POSIX file verbs and OpenSSL's MD5 on real files in a scratch folder:
// the RFC 1321 suite, and fingerprintFile on missing, empty, young, locked,
// oversized and shrinking files.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "capture/fingerprint.h"
#include "shell/platform.h"
#include "tests/md5_suite.h"

namespace {

const char sentinel[fingerprintSize] = "untouched-untouched-untouched-01";

int openDescriptorCount()
{
    int count = 0;
    DIR* dir = opendir("/proc/self/fd");
    while (dir && readdir(dir))
        ++count;
    if (dir)
        closedir(dir);
    return count;
}

class PosixFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/tavrenne-posix-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        descriptorsBefore = openDescriptorCount();
    }
    void TearDown() override
    {
        EXPECT_EQ(openDescriptorCount(), descriptorsBefore) << "a descriptor was left open";
        std::string command = "rm -rf '" + folder + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    // Writes a file dated at the Unix time given (default: 2020-01-01).
    std::string write(const std::string& name, const std::string& contents,
                      time_t modified = 1577836800)
    {
        std::string path = folder + "/" + name;
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::write(fd, contents.data(), contents.size()),
                  static_cast<ssize_t>(contents.size()));
        timespec times[2] = {{modified, 0}, {modified, 0}};
        EXPECT_EQ(futimens(fd, times), 0);
        close(fd);
        return path;
    }
    // fingerprintFile with the sentinel in the buffer beforehand.
    int fingerprint(const std::string& path, char* out)
    {
        std::memcpy(out, sentinel, fingerprintSize);
        return fingerprintFile(path.c_str(), out);
    }
    std::string folder;
    int descriptorsBefore = 0;
};

TEST_F(PosixFiles, Rfc1321SuiteFromBytesAndFromFiles)
{
    for (const auto& row : rfcSuite) {
        char out[fingerprintSize];
        ASSERT_TRUE(fingerprintBytes(reinterpret_cast<const unsigned char*>(row[0]),
                                     std::strlen(row[0]), out));
        EXPECT_STREQ(out, row[1]) << '"' << row[0] << '"';
        if (row[0][0] == '\0')
            continue;  // an empty file is a failure, not a digest
        EXPECT_EQ(fingerprint(write("m.bin", row[0]), out), FingerprintTaken);
        EXPECT_STREQ(out, row[1]) << '"' << row[0] << '"';
    }
}

TEST_F(PosixFiles, OneByteAndTheFileTimeItCarries)
{
    std::string path = write("one.exe", "\x7f", 1773144000);  // 2026-03-10 12:00 UTC
    char out[fingerprintSize];
    EXPECT_EQ(fingerprint(path, out), FingerprintTaken);
    EXPECT_STREQ(out, "83acb6e67e50e31db6ed341dd2de1595");  // MD5 of the byte 0x7f

    FileRef file = platform::fileOpen(path.c_str(), ShareRead);
    ASSERT_NE(file, noFile);
    uint64_t written = 0;
    uint32_t size = 0;
    EXPECT_TRUE(platform::fileLastWriteTime(file, &written));
    EXPECT_EQ(written, (1773144000ull + 11644473600ull) * 10000000ull);
    CalendarDate date;
    ASSERT_TRUE(fileTimeToDate(written, &date));
    EXPECT_TRUE(date.year == 2026 && date.month == 3 && date.day == 10);
    EXPECT_TRUE(platform::fileSize32(file, &size));
    EXPECT_EQ(size, 1u);
    platform::fileClose(file);
}

TEST_F(PosixFiles, FailuresAndYoungFilesLeaveTheBuffer)
{
    char out[fingerprintSize];
    EXPECT_EQ(fingerprint(folder + "/missing.exe", out), FingerprintFailed);
    EXPECT_EQ(std::memcmp(out, sentinel, fingerprintSize), 0);
    EXPECT_EQ(fingerprint(write("empty.exe", ""), out), FingerprintFailed);
    EXPECT_EQ(std::memcmp(out, sentinel, fingerprintSize), 0);
    EXPECT_EQ(fingerprint(folder, out), FingerprintFailed);  // a folder is no program
    EXPECT_EQ(std::memcmp(out, sentinel, fingerprintSize), 0);

    time_t now = time(nullptr);
    EXPECT_EQ(fingerprint(write("young-empty.exe", "", now), out), FingerprintTooYoung);
    EXPECT_EQ(fingerprint(write("young.exe", "abc", now), out), FingerprintTooYoung);
    EXPECT_EQ(std::memcmp(out, sentinel, fingerprintSize), 0);
}

TEST_F(PosixFiles, AFileLockedByAWriterCannotBeOpened)
{
    std::string path = write("locked.exe", "abc");
    int writer = open(path.c_str(), O_RDWR);
    ASSERT_GE(writer, 0);
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(fcntl(writer, F_OFD_SETLK, &lock), 0);
    char out[fingerprintSize];
    EXPECT_EQ(fingerprint(path, out), FingerprintFailed);
    EXPECT_EQ(std::memcmp(out, sentinel, fingerprintSize), 0);
    close(writer);
    EXPECT_EQ(fingerprint(path, out), FingerprintTaken);
    EXPECT_STREQ(out, "900150983cd24fb0d6963f7d28e17f72");
}

TEST_F(PosixFiles, ASizeBeyond32BitsIsAFailure)
{
    std::string path = write("huge.exe", "MZ");
    ASSERT_EQ(truncate(path.c_str(), (1ll << 32) + 2), 0);  // sparse: no space used
    timespec times[2] = {{1577836800, 0}, {1577836800, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    char out[fingerprintSize];
    EXPECT_EQ(fingerprint(path, out), FingerprintFailed);
    EXPECT_EQ(std::memcmp(out, sentinel, fingerprintSize), 0);
}

TEST_F(PosixFiles, AReadFailsWhenTheFileShrankAfterItsSizeWasTaken)
{
    std::string path = write("shrinking.exe", std::string(4096, 'x'));
    FileRef file = platform::fileOpen(path.c_str(), ShareRead);
    ASSERT_NE(file, noFile);
    uint32_t size = 0;
    ASSERT_TRUE(platform::fileSize32(file, &size));
    ASSERT_EQ(truncate(path.c_str(), 100), 0);
    std::string buffer(size, '\0');
    EXPECT_FALSE(platform::fileReadAll(file, &buffer[0], size));
    EXPECT_TRUE(platform::fileReadAll(file, &buffer[0], 100));
    platform::fileClose(file);
}

TEST(PosixClock, CurrentFileTimeIsNow)
{
    uint64_t before = (static_cast<uint64_t>(time(nullptr)) + 11644473600ull) * 10000000ull;
    uint64_t now = platform::currentFileTime();
    uint64_t after = (static_cast<uint64_t>(time(nullptr)) + 11644473601ull) * 10000000ull;
    EXPECT_GE(now, before);
    EXPECT_LE(now, after);
}

}  // namespace
