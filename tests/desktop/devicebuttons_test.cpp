// The decision on the pointer devices' own buttons in a Wayland session: a
// device event whose master copy never came is given once, and the master's
// late copy of it is then refused.
#include <gtest/gtest.h>

#include "shell/gtk/devicebuttons.h"

TEST(DeviceButtons, OnlyThoseTheMasterLostAreGivenOnce)
{
    ButtonLedger ledger;
    noteDeviceButton(ledger, DeviceButton{true, 100, 88, 111});
    EXPECT_TRUE(noteMasterButton(ledger, 100));
    noteDeviceButton(ledger, DeviceButton{true, 200, 88, 111});  // its master press went to the root
    std::vector<DeviceButton> lost = buttonsMasterLost(ledger, 2);
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].time, 200u);
    EXPECT_EQ(lost[0].rootX, 88);
    EXPECT_TRUE(ledger.waiting.empty());
    // The master's copy coming after all: the game had the press already.
    EXPECT_FALSE(noteMasterButton(ledger, 200));
    EXPECT_TRUE(noteMasterButton(ledger, 300));
}

TEST(DeviceButtons, ThoseReadAfterTheRoundTripWaitForTheNextDecision)
{
    ButtonLedger ledger;
    noteDeviceButton(ledger, DeviceButton{false, 100, 900, 700});
    noteDeviceButton(ledger, DeviceButton{false, 150, 900, 700});  // read after the round trip
    std::vector<DeviceButton> lost = buttonsMasterLost(ledger, 1);
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].time, 100u);
    ASSERT_EQ(ledger.waiting.size(), 1u);
    EXPECT_TRUE(noteMasterButton(ledger, 150));  // its master copy, read with the next batch
    EXPECT_TRUE(buttonsMasterLost(ledger, 1).empty());
    EXPECT_TRUE(buttonsMasterLost(ledger, 5).empty());  // nothing waits
}
