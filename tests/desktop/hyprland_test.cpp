// The Hyprland client: the window on top at the pointer in recorded-format
// replies of two monitors (a scaled one), floating, pinned, full-screen,
// unmapped windows, a hidden workspace and a shown special one; and the
// exchange against a stand-in socket.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

#include "shell/gtk/compositors.h"
#include "tests/desktop/standin.h"

namespace {

StandIn::Answer hyprland(const std::string& request)
{
    if (request == "j/cursorpos")
        return {recordedReply("hyprland-cursorpos.json")};
    if (request == "j/monitors")
        return {recordedReply("hyprland-monitors.json")};
    if (request == "j/clients")
        return {recordedReply("hyprland-clients.json")};
    return {"unknown request"};
}

}  // namespace

TEST(HyprlandClients, TheWindowOnTopAtThePointer)
{
    Json clients = recordedJson("hyprland-clients.json");
    Json monitors = recordedJson("hyprland-monitors.json");
    auto at = [&](int x, int y) { return said(hyprlandWindowIn(clients, monitors, x, y)); };
    EXPECT_EQ(at(300, 600), "1101 kitty");  // not the window of the hidden workspace 2
    EXPECT_EQ(at(150, 150), "1101 kitty");  // not the unmapped one
    EXPECT_EQ(at(700, 350), "1104 org.mozilla.firefox");
    EXPECT_EQ(at(1000, 450), "1105 pavucontrol");  // listed after firefox: above it
    EXPECT_EQ(at(1200, 200), "x11 1102 0");
    EXPECT_EQ(at(1600, 950), "1109 pinned-clock");
    EXPECT_EQ(at(2100, 200), "1107 mpv");           // full-screen over a floating kitty
    EXPECT_EQ(at(2700, 700), "1110 scratch-term");  // the special workspace over it all
    EXPECT_EQ(at(5000, 200), "desktop");
    Json notAList;
    ASSERT_TRUE(parseJson("{\"clients\":[]}", &notAList, nullptr));
    EXPECT_EQ(hyprlandWindowIn(notAList, monitors, 0, 0).kind, LookupFailed);
}

TEST(HyprlandClient, AsksThreeQuestionsAtItsSocket)
{
    StandIn socket(hyprland, ".socket.sock");
    EXPECT_EQ(said(hyprlandAnswer(socket.path, 1000)), "1104 org.mozilla.firefox");
}

TEST(HyprlandClient, BadOrMissingRepliesFailWithinTheBound)
{
    auto silentClients = [](const std::string& request) {
        return request == "j/clients" ? StandIn::Answer{"[", true} : hyprland(request);
    };
    auto garbage = [](const std::string& request) {
        return request == "j/monitors" ? StandIn::Answer{"ok"} : hyprland(request);
    };
    auto noPointer = [](const std::string& request) {
        return request == "j/cursorpos" ? StandIn::Answer{"{\"x\":\"left\"}"} : hyprland(request);
    };
    auto cutShort = [](const std::string& request) {
        return StandIn::Answer{hyprland(request).bytes.substr(0, 40)};
    };
    std::function<StandIn::Answer(const std::string&)> compositors[] = {
        silentClients, garbage, noPointer, cutShort};
    for (auto& compositor : compositors) {
        StandIn socket(compositor, ".socket.sock");
        auto start = std::chrono::steady_clock::now();
        WindowAt found = hyprlandAnswer(socket.path, 600);
        EXPECT_EQ(found.kind, LookupFailed) << said(found);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    }
}

TEST(HyprlandClient, FindsTheSocketOfItsInstance)
{
    char pattern[] = "/tmp/tavrenne-runtime-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string runtime = pattern;
    std::string folder = runtime + "/hypr/v0.41.2_1718_1";
    ASSERT_EQ(mkdir((runtime + "/hypr").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    std::ofstream(folder + "/.socket.sock").put('\n');
    EXPECT_EQ(hyprlandSocketPath(runtime.c_str(), "v0.41.2_1718_1"), folder + "/.socket.sock");
    EXPECT_EQ(hyprlandSocketPath(runtime.c_str(), "another_instance_9"), "");
    EXPECT_EQ(hyprlandSocketPath(runtime.c_str(), "../hypr/v0.41.2_1718_1"), "");
    EXPECT_EQ(hyprlandSocketPath(runtime.c_str(), ""), "");
    unlink((folder + "/.socket.sock").c_str());
    rmdir(folder.c_str());
    rmdir((runtime + "/hypr").c_str());
    rmdir(runtime.c_str());
}
