// A stand-in compositor for the tests: a Unix socket in a scratch folder
// whose thread answers each connection as the test says (a recorded reply,
// garbage, a reply cut short, or nothing at all while the socket stays open).
#pragma once

#include <functional>
#include <string>
#include <thread>

#include "shell/gtk/json.h"
#include "shell/gtk/windowat.h"

struct StandIn {
    // What to write back for a request; hang keeps the connection open,
    // silent, until the stand-in ends.
    struct Answer {
        std::string bytes;
        bool hang = false;
    };
    explicit StandIn(std::function<Answer(const std::string& request)> answer,
                     const std::string& socketName = "stand-in.sock");
    ~StandIn();

    std::string folder;
    std::string path;
    std::string lastRequest;  // read after the client's call returned

private:
    void serve();
    std::function<Answer(const std::string&)> answer;
    int listener = -1;
    int stopPipe[2] = {-1, -1};
    std::thread thread;
};

// The text of a recorded reply under tests/desktop/replies.
std::string recordedReply(const char* name);
// An i3-IPC message: magic, payload length, type, payload.
std::string i3Message(unsigned type, const std::string& payload);
// A recorded reply read as JSON; a reply that does not parse fails the test.
Json recordedJson(const char* name);
// An answer in one line: "pid app" for a native window, "x11 pid window"
// for an Xwayland one, "desktop", or "failed: why".
std::string said(const WindowAt& found);
