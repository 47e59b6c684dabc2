#include <gtest/gtest.h>

#include "desktop/TKeyRepeat.h"

TEST(KeyRepeat, AHotkeyPostedWhileItsKeyIsSeenHeldIsARepeat) {
    bool down = false;
    TKeyRepeat repeats([&](UINT) { return down; });
    const DWORD t = 0xFFFFFF00;  // the tick count wraps during the press
    EXPECT_TRUE(repeats.Press(1, 'F', t));
    // Under Wine the key shows down a while after its hotkey, for a moment even after a tap.
    down = true;
    EXPECT_TRUE(repeats.Observe(t + 50));
    EXPECT_TRUE(repeats.Press(1, 'F', t + 60)) << "a second tap";
    EXPECT_TRUE(repeats.Observe(t + 300));
    EXPECT_FALSE(repeats.Press(1, 'F', t + 660));
    // Released just after a repeat was posted, which a busy thread handles later.
    down = false;
    EXPECT_FALSE(repeats.Observe(t + 730));
    EXPECT_FALSE(repeats.Press(1, 'F', t + 700));
    EXPECT_TRUE(repeats.Press(1, 'F', t + 900));
    // A release never seen (the key stays down) ends the press once its repeats stop.
    down = true;
    EXPECT_TRUE(repeats.Observe(t + 1100));
    EXPECT_FALSE(repeats.Observe(t + 900 + TKeyRepeat::kLongestRepeatGap));
    EXPECT_TRUE(repeats.Press(1, 'F', t + 2500));
    // Tapped again: its key is seen down before its hotkey is handled.
    down = false;
    EXPECT_TRUE(repeats.Press(2, 'G', t));
    down = true;
    repeats.Observe(t + 570);
    down = false;
    repeats.Observe(t + 580);
    EXPECT_TRUE(repeats.Press(2, 'G', t + 565));
}
