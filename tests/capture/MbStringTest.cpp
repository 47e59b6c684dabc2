#include <gtest/gtest.h>

#include "capture/MbString.h"
#include "tests/support/TestEnvironment.h"

// "ソ" (0x83 0x5C) and "表" (0x95 0x5C) end in the byte of '\'; "ニ" is 0x83 0x6A, whose
// second byte is 'j'. The run uses code page 932.
TEST(MbString, RunsInTheDoubleByteCodePage) {
    ASSERT_EQ(::GetACP(), 932u);
    ASSERT_EQ(std::string("ソ"), "\x83\x5C");
    ASSERT_EQ(std::string("ニ"), "\x83\x6A");
}

TEST(MbString, LengthCountsCharacters) {
    EXPECT_EQ(MbLength(""), 0);
    EXPECT_EQ(MbLength("abc"), 3);
    EXPECT_EQ(MbLength("表ソa"), 3);
    EXPECT_EQ(MbLength("ソソソ"), 3);
}

TEST(MbString, CuttingNeverSplitsACharacter) {
    struct Case {
        std::string got, expected;
    };
    const Case cases[] = {
        {MbMidFrom("ソ\\表a", 2), "\\表a"},
        {MbMidFrom("ソa", 0), "ソa"},
        {MbMidFrom("ソa", 3), ""},
        {MbMidFrom("", 1), ""},
        {MbMid("ソa", 2, 1), "a"},
        {MbMid("表ソa", 1, 2), "表ソ"},
        {MbMid("表ソa", -4, 1), "表"},
        {MbMid("表ソa", 2, 99), "ソa"},
        {MbMid("表ソa", 2, 0), ""},
        {MbMid("表ソa", 4, 1), ""},
        {MbMid("", 1, 1), ""},
        // A lead byte standing last is one character, cut at the end.
        {MbMid("a\x83", 2, 1), "\x83"},
        {MbRight("表ソa", 5), ""},
        {MbRight("表ソa", 3), "表ソa"},
        {MbRight("表ソa", 2), "ソa"},
        {MbRight("aソ", 1), "ソ"},
        {MbRight("aソ", 0), ""},
        {MbRight("aソ", -1), ""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i << ": " << Utf8(cases[i].got);
    }
}

TEST(MbString, PosFindsWholeCharactersOnly) {
    struct Case {
        const char* s;
        const char* sub;
        int expected;
    };
    const Case cases[] = {
        {"C:\\shots\\img001.jpg", "jpg", 17},
        {"xニpg.bmp", "jpg", 0},  // the 'j' is the second byte of ニ
        {"表x\\", "\\", 3},       // not the second byte of 表
        {"ソ", "\\", 0},
        {"表ソjpg", "jpg", 3},
        {"a.JPG", "jpg", 0},  // case-sensitive
        {"abc", "", 1},
        {"", "", 0},
        {"ab", "abc", 0},
        {"", "a", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(MbPos(c.s, c.sub), c.expected) << Utf8(c.s) << " / " << Utf8(c.sub);
}
