#include <gtest/gtest.h>

#include "desktop/TKeyRepeat.h"

TEST(KeyRepeat, AHotkeyPostedBeforeItsKeyWasSeenUpIsARepeat) {
    bool down = false;
    TKeyRepeat repeats([&](UINT) { return down; });
    const DWORD t = 0xFFFFFF00;  // the tick count wraps during the press
    EXPECT_TRUE(repeats.Press(1, 'F', t));
    EXPECT_TRUE(repeats.Observe(t + 50)) << "under Wine the key shows down only after its hotkey";
    down = true;
    EXPECT_TRUE(repeats.Observe(t + 40));
    EXPECT_FALSE(repeats.Press(1, 'F', t + 660));
    // Released just after a repeat was posted, which a busy thread handles later.
    down = false;
    EXPECT_FALSE(repeats.Observe(t + 730));
    EXPECT_FALSE(repeats.Press(1, 'F', t + 700));
    EXPECT_TRUE(repeats.Press(1, 'F', t + 900));
    // A release never seen (the key stays down) ends the press once its repeats stop.
    down = true;
    EXPECT_FALSE(repeats.Observe(t + 900 + TKeyRepeat::kLongestRepeatGap));
    EXPECT_TRUE(repeats.Press(1, 'F', t + 2500));
    EXPECT_TRUE(repeats.Press(2, 'G', t + 2510)) << "each hotkey has presses of its own";
}
