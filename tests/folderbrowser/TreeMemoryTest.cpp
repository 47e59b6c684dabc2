#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "folderbrowser/TShExpandedFolders.h"
#include "folderbrowser/TShSelectionHistory.h"
#include "tests/support/TestEnvironment.h"

namespace {
std::vector<std::string> Paths(const std::vector<TShIDList>& lists) {
    std::vector<std::string> paths;
    for (const TShIDList& id : lists) paths.push_back(id ? TKeshShID::ToPath(id.get()) : std::string("?"));
    return paths;
}
}  // namespace

// What the tree remembers of the folders opened in it: each once, until it is closed, gone,
// or renamed together with what lies below it; folders without a path (My Computer) stay
// however the disk changes.
TEST(ExpandedFolders, AreRememberedOnceAndForgottenWhenClosedGoneOrRenamed) {
    TempFolder folder;
    for (const char* name : {"a", "a\\b", "ab", "c"}) ::CreateDirectoryA((folder / name).c_str(), nullptr);
    // As the tree holds them: a child's list is its parent's followed by its own identifier.
    const TShIDList a = TKeshShID::FromPath(folder / "a"),
                    b = TKeshShID::Concat(a.get(), TKeshShID::Last(TKeshShID::FromPath(folder / "a\\b").get())),
                    ab = TKeshShID::FromPath(folder / "ab"), c = TKeshShID::FromPath(folder / "c"),
                    computer = TKeshShID::SpecialFolder(sfidDrives);
    TShExpandedFolders expanded;
    for (const TShIDList* id : {&a, &b, &ab, &c, &a, &computer}) expanded.Remember(id->get(), true);
    EXPECT_EQ(Paths(expanded.Copy()),
              (std::vector<std::string>{folder / "a", folder / "a\\b", folder / "ab", folder / "c", ""}));
    expanded.Remember(c.get(), false);
    expanded.Remember(c.get(), false);
    // "ab" starts with the bytes of "a"'s name but does not lie below it.
    expanded.ForgetBelow(a.get());
    EXPECT_EQ(Paths(expanded.Copy()), (std::vector<std::string>{folder / "ab", ""}));

    expanded.Remember(c.get(), true);
    ::RemoveDirectoryA((folder / "ab").c_str());
    expanded.ForgetVanished();
    EXPECT_EQ(Paths(expanded.Copy()), (std::vector<std::string>{"", folder / "c"}));
}

// The back list keeps the latest nine selections, the newest last; a selection clears the
// forward list.
TEST(SelectionHistory, KeepsTheLatestNineSelections) {
    TempFolder folder;
    std::vector<std::string> made;
    TShSelectionHistory history;
    for (int i = 0; i < 12; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%d", 100 + i);
        made.push_back(folder / name);
        ::CreateDirectoryA(made.back().c_str(), nullptr);
        history.Record(TKeshShID::FromPath(made.back()).get());
    }
    std::vector<std::string> back;
    for (const TShIDList& id : history.Back()) back.push_back(TKeshShID::ToPath(id.get()));
    EXPECT_EQ(back, std::vector<std::string>(made.end() - 9, made.end()));
    EXPECT_TRUE(history.Forward().empty());
}
