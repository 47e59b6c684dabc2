#include <gtest/gtest.h>

#include "tests/support/TestEnvironment.h"
#include "toolkit/FilePath.h"

// "表" is 0x95 0x5C and "ソ" 0x83 0x5C: their second byte has the backslash's value and is
// no delimiter. 0x81 alone at the end is a character cut in half.
TEST(FilePath, TrailingBackslashIsAddedAndRemovedByCharactersNotBytes) {
    struct Case {
        std::string path, added, included, excluded;
    };
    const Case cases[] = {
        {"表", "表\\", "表\\", "表"},
        {"C:\\写真ソ", "C:\\写真ソ\\", "C:\\写真ソ\\", "C:\\写真ソ"},
        {"C:\\", "C:\\", "C:\\", "C:"},
        {"C:\\表\\", "C:\\表\\", "C:\\表\\", "C:\\表"},
        {"ab\x81", "ab\x81\\", "ab\x81\\", "ab\x81"},
        {"", "\\", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AddTrailingBackslash(c.path), c.added) << Utf8(c.path);
        EXPECT_EQ(IncludeTrailingPathDelimiter(c.path), c.included) << Utf8(c.path);
        EXPECT_EQ(ExcludeTrailingPathDelimiter(c.path), c.excluded) << Utf8(c.path);
    }
}
