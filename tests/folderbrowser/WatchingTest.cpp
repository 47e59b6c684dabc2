#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "folderbrowser/TShWatching.h"
#include "tests/support/TestEnvironment.h"

namespace {
using Folders = std::vector<std::string>;
}  // namespace

// Suspensions nest (a shell menu suspends, and a rename it starts suspends again): only the
// last resumption gives the watcher its folders back, those it watched when the first
// suspension came with what was added and removed meanwhile; resuming more often than
// suspending changes nothing. Once the watcher is gone the owner's calls are no-ops.
TEST(Watching, OnlyTheLastResumptionRestoresWhatTheFirstSuspensionTookAway) {
    TempFolder folder;
    const std::string a = folder / "a", b = folder / "b";
    ::CreateDirectoryA(a.c_str(), nullptr);
    ::CreateDirectoryA(b.c_str(), nullptr);
    std::vector<Folders> restored;
    TShWatching watching(TShNotifyThread::kFileName, false, nullptr,
                         [&](TShNotifyThread& watcher, const Folders& saved) {
                             restored.push_back(saved);
                             watcher.SetFolders(&saved);
                         });
    TShNotifyThread& watcher = *watching.Watcher();
    ASSERT_EQ(restored, std::vector<Folders>{Folders{}}) << "the first folders come from the owner";
    watching.Watch(a);
    watching.Watch(b);
    const Folders both{a + "\\", b + "\\"};
    ASSERT_EQ(watcher.Folders(), both);

    watching.Suspend();
    watching.Suspend();
    EXPECT_EQ(watcher.Folders(), Folders{});
    watching.Resume();
    EXPECT_EQ(restored.size(), 1u) << "resumed while still suspended once";
    EXPECT_EQ(watcher.Folders(), Folders{});
    watching.Resume();
    ASSERT_EQ(restored.size(), 2u);
    EXPECT_EQ(restored.back(), both);
    EXPECT_EQ(watcher.Folders(), both);
    watching.Resume();
    EXPECT_EQ(restored.size(), 2u) << "one resumption too many";
    watching.Suspend();
    EXPECT_EQ(watcher.Folders(), Folders{}) << "the count did not go below none";
    watching.Resume();
    EXPECT_EQ(watcher.Folders(), both);

    // The list opens other folders while a shell menu has watching suspended.
    const std::string c = folder / "c";
    ::CreateDirectoryA(c.c_str(), nullptr);
    watching.Suspend();
    watching.Watch(c);
    watching.Unwatch(a);
    EXPECT_EQ(watcher.Folders(), Folders{}) << "nothing reported during the program's own changes";
    watching.Resume();
    EXPECT_EQ(watcher.Folders(), (Folders{b + "\\", c + "\\"}));
    watching.Suspend();
    watching.WatchOnly(a);
    watching.Resume();
    EXPECT_EQ(watcher.Folders(), Folders{a + "\\"});

    watching.WatchOnly(b);
    EXPECT_EQ(watcher.Folders(), Folders{b + "\\"});

    watching.Stop();
    EXPECT_EQ(watching.Watcher(), nullptr);
    watching.Suspend();
    watching.Watch(a);
    watching.Resume();
    EXPECT_EQ(restored.size(), 5u);
}

// The first folders are found on the watcher's own thread while the owner goes on; a folder
// the owner adds straight away is watched beside them, not replaced by them.
TEST(Watching, TheFirstFoldersComeOnTheWatchersThreadBeforeTheOwnersFirstCall) {
    TempFolder folder;
    const std::string a = folder / "a", b = folder / "b";
    ::CreateDirectoryA(a.c_str(), nullptr);
    ::CreateDirectoryA(b.c_str(), nullptr);
    DWORD restoredOn = 0;
    TShWatching watching(TShNotifyThread::kFileName, false, nullptr, [&](TShNotifyThread& watcher, const Folders&) {
        restoredOn = ::GetCurrentThreadId();
        const Folders first{a};
        watcher.SetFolders(&first);
    });
    watching.Watch(b);
    EXPECT_EQ(watching.Watcher()->Folders(), (Folders{a + "\\", b + "\\"}));
    EXPECT_NE(restoredOn, ::GetCurrentThreadId());
}
