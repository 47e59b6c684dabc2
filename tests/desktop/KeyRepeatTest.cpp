#include <gtest/gtest.h>

#include "desktop/TKeyRepeat.h"

TEST(KeyRepeat, AHotkeyPostedBeforeItsKeyWasSeenUpIsARepeat) {
    bool down = false;
    TKeyRepeat repeats([&](UINT) { return down; });
    const DWORD t = 0xFFFFFF00;  // the tick count wraps during the press
    EXPECT_TRUE(repeats.Press(1, 'F', t));
    // The key shows down a little after its hotkey (Wine): not yet a release.
    EXPECT_TRUE(repeats.Observe(t + 5));
    down = true;
    EXPECT_TRUE(repeats.Observe(t + 40));
    EXPECT_FALSE(repeats.Press(1, 'F', t + 660));
    EXPECT_TRUE(repeats.Press(2, 'G', t + 670)) << "another hotkey is a press of its own";
    // Released right after a repeat was posted, which the busy thread handles later.
    down = false;
    EXPECT_FALSE(repeats.Observe(t + 730));
    EXPECT_FALSE(repeats.Press(1, 'F', t + 700));
    EXPECT_TRUE(repeats.Press(1, 'F', t + 900));
    // A key that never shows up again (its release was not seen) still makes a new press
    // once its repeats have stopped.
    down = true;
    EXPECT_TRUE(repeats.Observe(t + 1000));
    EXPECT_FALSE(repeats.Observe(t + 900 + TKeyRepeat::kLongestRepeatGap));
    EXPECT_TRUE(repeats.Press(1, 'F', t + 2500));
    // The same when nothing looked at the key meanwhile.
    EXPECT_TRUE(repeats.Press(3, 'H', t));
    EXPECT_TRUE(repeats.Press(3, 'H', t + TKeyRepeat::kLongestRepeatGap));
}
