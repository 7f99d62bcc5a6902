// Real files for the native tools, tests and game: the file verbs over POSIX
// descriptors (all but fileOpen, which each user of these files gives the
// path it means), the current time as a Windows file time, and OpenSSL's MD5.
#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "shell/posix/files.h"

// A FileRef is the descriptor plus one, so that descriptor 0 is not noFile.
static int descriptorOf(FileRef file)
{
    return static_cast<int>(file - 1);
}

// Windows file time of a POSIX time: 100 ns units since 1601-01-01 UTC.
// False before 1601 or beyond what 64 bits hold.
static bool fileTimeOfTimespec(const timespec& t, uint64_t* fileTime)
{
    const int64_t secondsFrom1601To1970 = 11644473600;
    int64_t seconds = static_cast<int64_t>(t.tv_sec);
    if (seconds < -secondsFrom1601To1970 || seconds > INT64_MAX / 10000000 - secondsFrom1601To1970)
        return false;
    *fileTime = static_cast<uint64_t>(seconds + secondsFrom1601To1970) * 10000000u +
                static_cast<uint64_t>(t.tv_nsec / 100);
    return true;
}

// Opens a regular file read-only. POSIX has no share modes, so the open
// takes a shared lock on the whole file instead: it fails (EAGAIN) while
// another holder keeps a write lock on it, as the Windows open fails while
// another holder writes. The lock goes with the descriptor.
FileRef openRegularFile(const char* path)
{
    int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return noFile;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = EISDIR;  // anything but a plain file cannot be a program file
        return noFile;
    }
    struct flock lock = {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    if (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        int error = errno;
        close(fd);
        errno = error;
        return noFile;
    }
    return static_cast<FileRef>(fd) + 1;
}

bool platform::fileLastWriteTime(FileRef file, uint64_t* fileTime)
{
    struct stat info;
    if (fstat(descriptorOf(file), &info) != 0)
        return false;
    return fileTimeOfTimespec(info.st_mtim, fileTime);
}

bool platform::fileSize32(FileRef file, uint32_t* size)
{
    struct stat info;
    if (fstat(descriptorOf(file), &info) != 0 || info.st_size < 0 || info.st_size > UINT32_MAX)
        return false;
    *size = static_cast<uint32_t>(info.st_size);
    return true;
}

// Asks the kernel to fault in the whole pages of a fresh buffer at once,
// which is cheaper than one fault per page during the read. Kernels without
// the request just leave the read to fault them in.
static void prefault(void* buffer, uint32_t size)
{
#ifdef MADV_POPULATE_WRITE
    const uintptr_t pageMask = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE)) - 1;
    uintptr_t first = (reinterpret_cast<uintptr_t>(buffer) + pageMask) & ~pageMask;
    uintptr_t end = (reinterpret_cast<uintptr_t>(buffer) + size) & ~pageMask;
    if (end > first)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)buffer;
    (void)size;
#endif
}

// The kernel may hand over a large file in several pieces; the loop keeps
// asking until size bytes are in, and fails if the file ends before.
bool platform::fileReadAll(FileRef file, void* buffer, uint32_t size)
{
    prefault(buffer, size);
    unsigned char* at = static_cast<unsigned char*>(buffer);
    uint64_t done = 0;
    while (done < size) {
        ssize_t got = pread(descriptorOf(file), at + done, size - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<uint64_t>(got);
    }
    return true;
}

void platform::fileClose(FileRef file)
{
    if (file != noFile)
        close(descriptorOf(file));
}

uint64_t platform::currentFileTime()
{
    timespec now;
    uint64_t fileTime = 0;
    if (clock_gettime(CLOCK_REALTIME, &now) != 0 || !fileTimeOfTimespec(now, &fileTime))
        return 0;
    return fileTime;
}

bool platform::md5Digest(const unsigned char* bytes, size_t length, unsigned char digest[16])
{
    unsigned int size = 0;
    return EVP_Digest(bytes, length, digest, &size, EVP_md5(), nullptr) == 1 && size == 16;
}
