// A Unix socket question with one deadline for connecting, sending and
// reading: non-blocking I/O and poll, never a signal for a closed peer.
#include "shell/gtk/unixsocket.h"

#include <errno.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <cstring>

static long long nowMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Waits for events on fd until the deadline; false when it passed first.
static bool waitFor(int fd, short events, long long deadline)
{
    for (;;) {
        long long left = deadline - nowMs();
        if (left <= 0)
            return false;
        pollfd entry = {fd, events, 0};
        int ready = poll(&entry, 1, static_cast<int>(left));
        if (ready > 0)
            return true;  // readable, writable, or hung up: the call after tells
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

static bool talk(int fd, const std::string& path, const std::string& request,
                 ReplyLength replyLength, long long deadline, std::string* reply,
                 std::string* error)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        *error = "unusable socket path \"" + path + "\"";
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (errno != EINPROGRESS && errno != EAGAIN) {
            *error = "cannot connect to " + path + ": " + std::strerror(errno);
            return false;
        }
        int problem = 0;
        socklen_t size = sizeof problem;
        if (!waitFor(fd, POLLOUT, deadline) ||
            getsockopt(fd, SOL_SOCKET, SO_ERROR, &problem, &size) != 0 || problem != 0) {
            *error = "cannot connect to " + path;
            return false;
        }
    }
    for (size_t sent = 0; sent < request.size();) {
        ssize_t count = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (count > 0) {
            sent += static_cast<size_t>(count);
        } else if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!waitFor(fd, POLLOUT, deadline)) {
                *error = "the compositor took no question in time";
                return false;
            }
        } else {
            *error = std::string("cannot send the question: ") + std::strerror(errno);
            return false;
        }
    }
    char buffer[65536];
    for (;;) {
        long whole = replyLength ? replyLength(*reply) : 0;
        if (whole < 0 || static_cast<size_t>(whole) > maxReplyBytes) {
            *error = "the reply is not of the compositor's form";
            return false;
        }
        if (whole > 0 && reply->size() >= static_cast<size_t>(whole)) {
            if (reply->size() > static_cast<size_t>(whole)) {
                *error = "the reply is longer than it says";
                return false;
            }
            return true;
        }
        ssize_t count = recv(fd, buffer, sizeof buffer, 0);
        if (count > 0) {
            if (reply->size() + static_cast<size_t>(count) > maxReplyBytes) {
                *error = "the reply is too long";
                return false;
            }
            reply->append(buffer, static_cast<size_t>(count));
        } else if (count == 0) {
            if (replyLength) {
                *error = "the reply was cut short";
                return false;
            }
            return true;
        } else if (errno == EAGAIN || errno == EINTR) {
            if (!waitFor(fd, POLLIN, deadline)) {
                *error = "no answer in time";
                return false;
            }
        } else {
            *error = std::string("cannot read the reply: ") + std::strerror(errno);
            return false;
        }
    }
}

bool askUnixSocket(const std::string& path, const std::string& request, ReplyLength replyLength,
                   int timeoutMs, std::string* reply, std::string* error)
{
    reply->clear();
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        *error = std::string("no socket: ") + std::strerror(errno);
        return false;
    }
    bool done = talk(fd, path, request, replyLength, nowMs() + timeoutMs, reply, error);
    close(fd);
    return done;
}
