// The stand-in compositor's socket thread, and the recorded replies.
#include "tests/desktop/standin.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

StandIn::StandIn(std::function<Answer(const std::string&)> answerOf, const std::string& socketName)
    : answer(std::move(answerOf))
{
    char pattern[] = "/tmp/tavrenne-standin-XXXXXX";
    if (!mkdtemp(pattern) || pipe(stopPipe) != 0)
        throw std::runtime_error("no scratch folder or pipe for the stand-in");
    folder = pattern;
    path = folder + "/" + socketName;
    listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 8) != 0)
        throw std::runtime_error("the stand-in cannot listen at " + path);
    thread = std::thread([this] { serve(); });
}

StandIn::~StandIn()
{
    char stop = 's';
    if (write(stopPipe[1], &stop, 1) != 1)
        std::abort();
    thread.join();
    close(listener);
    close(stopPipe[0]);
    close(stopPipe[1]);
    unlink(path.c_str());
    rmdir(folder.c_str());
}

// Until told to stop: each connection's first bytes are its request.
void StandIn::serve()
{
    for (;;) {
        pollfd waits[2] = {{listener, POLLIN, 0}, {stopPipe[0], POLLIN, 0}};
        if (poll(waits, 2, -1) < 0 || waits[1].revents)
            return;
        int peer = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (peer < 0)
            continue;
        char buffer[4096];
        ssize_t count = read(peer, buffer, sizeof buffer);
        std::string request(buffer, count > 0 ? static_cast<size_t>(count) : 0);
        lastRequest = request;
        Answer reply = answer(request);
        for (size_t sent = 0; sent < reply.bytes.size();) {
            ssize_t n = send(peer, reply.bytes.data() + sent, reply.bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            sent += static_cast<size_t>(n);
        }
        if (reply.hang) {
            pollfd stop = {stopPipe[0], POLLIN, 0};
            poll(&stop, 1, -1);
            close(peer);
            return;
        }
        close(peer);
    }
}

std::string recordedReply(const char* name)
{
    std::ifstream file(std::string(REPLIES_DIR) + "/" + name);
    if (!file)
        throw std::runtime_error(std::string("no recorded reply ") + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string i3Message(unsigned type, const std::string& payload)
{
    uint32_t header[2] = {static_cast<uint32_t>(payload.size()), type};
    return std::string("i3-ipc") + std::string(reinterpret_cast<const char*>(header), 8) + payload;
}

Json recordedJson(const char* name)
{
    Json value;
    std::string error;
    if (!parseJson(recordedReply(name), &value, &error))
        ADD_FAILURE() << name << ": " << error;
    return value;
}

std::string said(const WindowAt& found)
{
    switch (found.kind) {
    case DesktopAt: return "desktop";
    case X11WindowAt: return "x11 " + std::to_string(found.pid) + " " + std::to_string(found.xWindow);
    case NativeWindowAt: return std::to_string(found.pid) + " " + found.appId;
    default: return "failed: " + found.why;
    }
}
