#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "folderbrowser/TShContentsReader.h"
#include "folderbrowser/TShListContents.h"
#include "tests/support/TestEnvironment.h"

namespace {
using Folders = std::vector<std::string>;

// Not "f" + std::to_string(i): GCC 12 warns falsely about that concatenation.
std::string Numbered(const char* stem, int i) {
    std::string name(stem);
    name += std::to_string(i);
    return name;
}

// The list's contents as the list fills them when it opens a folder.
class Contents {
public:
    Contents() : contents(3, [](TShNotifyThread&, const std::string&, const Folders&) {}) {}
    void Open(const std::string& path) {
        TShIDList id = TKeshShID::FromPath(path);
        TKeshShFileList* list = contents.Kept(id.get());
        if (!list) list = contents.Keep(TShContentsReader().Read(id.get(), nullptr, nullptr));
        contents.Show(list);
        contents.WatchShown();
    }
    bool Watched(const std::string& path) {
        const Folders watched = contents.Watcher()->Folders();
        return std::find(watched.begin(), watched.end(), path + "\\") != watched.end();
    }
    TShListContents contents;
};
}  // namespace

TEST(ListContents, KeepTheMostRecentFoldersAndStopWatchingTheOldest) {
    TempFolder top;
    Folders folders;
    for (int i = 0; i < 33; ++i) {
        folders.push_back(top / Numbered("f", i));
        ::CreateDirectoryA(folders.back().c_str(), nullptr);
    }
    Contents kept;
    for (const std::string& folder : folders) kept.Open(folder);
    const TKeshShFileLists& cache = kept.contents.Cache();
    EXPECT_EQ(cache.Count(), TKeshShFileLists::HistoryLimit + 1);
    EXPECT_EQ(cache.Item(0)->Path(), folders.back()) << "most recently used first";
    EXPECT_FALSE(kept.Watched(folders[0]));
    EXPECT_FALSE(kept.Watched(folders[1]));
    EXPECT_TRUE(kept.Watched(folders[2]));
    EXPECT_TRUE(kept.Watched(folders.back()));

    // A folder shown again comes from the cache, moved to the front.
    const TKeshShFileList* cached = cache.Item(27);
    ASSERT_EQ(cached->Path(), folders[5]);
    kept.Open(folders[5]);
    EXPECT_EQ(kept.contents.Shown(), cached);
    EXPECT_EQ(cache.Item(0), cached);

    // Folders of contents the cache let go of stay watched until a change comes: one by one
    // the watcher takes up to 62, more than it takes back in one list when watching resumes.
    // The shown folder stays watched then.
    TShNotifyThread& watcher = *kept.contents.Watcher();
    for (int i = 0; watcher.Folders().size() < 62; ++i) {
        const std::string more = top / Numbered("g", i);
        ::CreateDirectoryA(more.c_str(), nullptr);
        watcher.AddFolder(more);
    }
    ASSERT_EQ(watcher.Folders().size(), 62u);
    kept.contents.Watching().Suspend();
    kept.contents.Watching().Resume();
    EXPECT_EQ(watcher.Folders(), Folders{folders[5] + "\\"});
    EXPECT_EQ(cache.Count(), 1) << "nothing kept that is not watched";
}

// A change anywhere leaves only the shown contents kept and watched; what the list then does
// depends on whether the change was in the shown folder and whether that is still there.
TEST(ListContents, AChangeLeavesOnlyTheShownFolderAndSaysWhatTheListIsToDo) {
    TempFolder top;
    for (const char* name : {"x", "a", "a\\b", "a\\b\\c"}) ::CreateDirectoryA((top / name).c_str(), nullptr);
    Contents kept;
    kept.Open(top / "x");
    kept.Open(top / "a\\b\\c");
    TShIDList ancestor;
    EXPECT_EQ(kept.contents.Changed(top / "x", ancestor), TShListContents::chNone);
    EXPECT_EQ(kept.contents.Cache().Count(), 1);
    EXPECT_EQ(kept.contents.Watcher()->Folders(), Folders{top / "a\\b\\c\\"});
    EXPECT_EQ(kept.contents.Changed(top / "a\\b\\C\\", ancestor), TShListContents::chReread) << "the shown folder";

    // The shown folder and the one above it go: the nearest one that is still there. (Under
    // Wine a watched folder's parent cannot be removed while it is watched.)
    kept.contents.Watching().Suspend();
    DeleteTree(top / "a\\b");
    kept.contents.Watching().Resume();
    ASSERT_EQ(kept.contents.Changed(top / "a\\b\\c", ancestor), TShListContents::chOpenAncestor);
    EXPECT_EQ(TKeshShID::ToPath(ancestor.get()), top / "a");

    // A folder without a path is never the one that changed, and is not watched.
    TShIDList computer = TKeshShID::SpecialFolder(sfidDrives);
    kept.contents.Show(kept.contents.Keep(TShContentsReader().Read(computer.get(), nullptr, nullptr)));
    EXPECT_EQ(kept.contents.Changed("", ancestor), TShListContents::chNone);
    EXPECT_EQ(kept.contents.Watcher()->Folders(), Folders{});
}
