// The sway client: the tree walk on trees recorded from a headless sway 1.7
// (two outputs; foot tiled, xterm under Xwayland, two floating foot windows
// that overlap; the same with the lower one raised; xterm full-screen), and
// the i3-IPC exchange against a stand-in socket that answers well or badly.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "shell/gtk/compositors.h"
#include "tests/desktop/standin.h"

TEST(SwayTree, TheWindowOnTopAtAPoint)
{
    Json stacked = recordedJson("sway-tree.json");
    EXPECT_EQ(said(swayWindowInTree(stacked, 2100, 500)), "21598 foot");
    EXPECT_EQ(said(swayWindowInTree(stacked, 2100, 10)), "21598 foot");  // its title bar
    EXPECT_EQ(said(swayWindowInTree(stacked, 3000, 600)), "x11 21600 4194316");
    EXPECT_EQ(said(swayWindowInTree(stacked, 2200, 110)), "21819 floater");
    // Where the floating windows overlap, the last one listed is on top.
    EXPECT_EQ(said(swayWindowInTree(stacked, 2300, 250)), "28104 lonely");
    EXPECT_EQ(said(swayWindowInTree(recordedJson("sway-tree-raised.json"), 2300, 250)), "21819 floater");
    // The second output shows an empty workspace; left of both outputs is nothing.
    EXPECT_EQ(said(swayWindowInTree(stacked, 1400, 100)), "desktop");
    EXPECT_EQ(said(swayWindowInTree(stacked, 100, 100)), "desktop");
    // A full-screen window hides the floating ones and the title bars.
    Json fullscreen = recordedJson("sway-tree-fullscreen.json");
    for (int x : {2100, 2200, 3000})
        EXPECT_EQ(said(swayWindowInTree(fullscreen, x, 150)), "x11 21600 4194316") << x;
    EXPECT_EQ(said(swayWindowInTree(fullscreen, 1400, 100)), "desktop");
}

// The appraisal tool's pick: the focused view, never a hidden one.
TEST(SwayTree, TheFocusedWindow)
{
    EXPECT_EQ(said(swayFocusedInTree(recordedJson("sway-tree.json"))), "x11 21600 4194316");
    Json focusOnHidden;
    ASSERT_TRUE(parseJson("{\"type\":\"root\",\"nodes\":[{\"type\":\"output\",\"nodes\":["
                          "{\"shell\":\"xdg_shell\",\"pid\":7,\"app_id\":\"a\",\"focused\":true,"
                          "\"visible\":false}]}]}",
                          &focusOnHidden, nullptr));
    EXPECT_EQ(said(swayFocusedInTree(focusOnHidden)), "desktop");
}

TEST(SwayTree, AnOddTreeGivesNoWindowAndNoCrash)
{
    Json odd;
    ASSERT_TRUE(parseJson("{\"type\":\"root\",\"nodes\":[{\"type\":\"output\",\"name\":\"X\","
                          "\"rect\":{\"x\":0,\"y\":0,\"width\":\"wide\",\"height\":9}},"
                          "{\"type\":\"output\",\"name\":\"Y\",\"current_workspace\":\"1\","
                          "\"rect\":{\"x\":0,\"y\":0,\"width\":99,\"height\":99},\"nodes\":"
                          "[{\"type\":\"workspace\",\"name\":\"1\",\"nodes\":[{\"shell\":"
                          "\"xdg_shell\",\"visible\":true,\"pid\":-4,\"rect\":{\"x\":0,\"y\":0,"
                          "\"width\":1e999,\"height\":9}},{\"shell\":\"xdg_shell\",\"visible\":"
                          "true,\"pid\":1e20,\"app_id\":7,\"rect\":{\"x\":0,\"y\":0,\"width\":"
                          "50,\"height\":50}}]}]}]}",
                          &odd, nullptr));
    EXPECT_EQ(said(swayWindowInTree(odd, 10, 10)), "0 ");  // a window, but no pid or app id
    EXPECT_EQ(said(swayWindowInTree(odd, 60, 60)), "desktop");
    Json notATree;
    ASSERT_TRUE(parseJson("[{\"type\":\"root\"}]", &notATree, nullptr));
    EXPECT_EQ(swayWindowInTree(notATree, 0, 0).kind, LookupFailed);
}

TEST(SwayClient, AsksForTheTreeAndReadsTheReply)
{
    std::string recorded = recordedReply("sway-tree.json");
    StandIn sway([&](const std::string&) { return StandIn::Answer{i3Message(4, recorded)}; });
    EXPECT_EQ(said(swayAnswer(sway.path, 2300, 250, 1000)), "28104 lonely");
    EXPECT_EQ(sway.lastRequest, i3Message(4, ""));
}

TEST(SwayClient, BadOrMissingRepliesFailWithinTheBound)
{
    std::string recorded = recordedReply("sway-tree.json");
    std::string whole = i3Message(4, recorded);
    const StandIn::Answer answers[] = {
        {"HTTP/1.1 400 Bad Request\r\n\r\n"},     // not a compositor at all
        {whole.substr(0, whole.size() / 2)},      // cut short, then closed
        {whole.substr(0, 10)},                    // cut inside the header
        {i3Message(4, recorded.substr(0, 900))},  // whole message, half a tree
        {i3Message(0, "[{\"success\":true}]")},   // the answer to another question
        {whole + "trailing"},                     // more than the header says
        {""},                                     // closed without a word
        {whole.substr(0, 100), true},             // a start, then silence
        {"", true},                               // silence
    };
    for (const StandIn::Answer& answer : answers) {
        StandIn sway([&](const std::string&) { return answer; });
        auto start = std::chrono::steady_clock::now();
        WindowAt found = swayAnswer(sway.path, 2300, 250, 300);
        auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(found.kind, LookupFailed) << answer.bytes.substr(0, 40);
        EXPECT_FALSE(found.why.empty());
        EXPECT_LT(took, std::chrono::milliseconds(1500)) << found.why;
    }
    EXPECT_EQ(swayAnswer("/nonexistent/sway-ipc.sock", 0, 0, 300).kind, LookupFailed);
}
