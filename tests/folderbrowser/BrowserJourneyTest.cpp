#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "tests/folderbrowser/BrowserFixture.h"
#include "tests/support/ProcessResources.h"

namespace {
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

void Key(HWND window, UINT message, WPARAM key) {
    ::SendMessageA(window, message, key, message == WM_KEYUP ? 0xC0000001 : 1);
}
}  // namespace

TEST(BrowserJourney, ArrowKeysInTheTreeUpdateTheListOnceAfterTheyStop) {
    DesktopFolder top("矢印テスト");
    for (const char* name : {"1番", "2番", "3番", "4番", "5番"}) top.MakeFolder(name);
    BrowserWindow window;
    TKeshShTreeView& tree = *window.tree;
    tree.SelectPath(top / "1番");
    ASSERT_EQ(window.list->FolderPath(), top / "1番");
    tree.SetFocus();
    const int changes = window.listChanges;
    Clock::time_point last;
    // A key held down: the keyboard repeats it, and only releases it at the end.
    for (int i = 0; i < 4; ++i) {
        Key(tree.Handle(), WM_KEYDOWN, VK_DOWN);
        last = Clock::now();
        PumpFor(milliseconds(120));
    }
    Key(tree.Handle(), WM_KEYUP, VK_DOWN);
    EXPECT_EQ(tree.SelectedPath(), top / "5番");
    EXPECT_EQ(window.list->FolderPath(), top / "1番") << "the list waits until the moves stop";
    ASSERT_TRUE(PumpUntil([&] { return window.list->FolderPath() == top / "5番"; }));
    EXPECT_GE(Clock::now() - last, milliseconds(450));
    EXPECT_EQ(window.listChanges, changes + 1) << "the folders passed over are not read";

    // A click (no arrow key) opens the folder at once.
    TKeshShTreeNode* third = tree.FindNode(TKeshShID::FromPath(top / "3番").get());
    ASSERT_NE(third, nullptr);
    tree.Select(third);
    EXPECT_EQ(window.list->FolderPath(), top / "3番");
}

TEST(BrowserJourney, DoubleClickOnAFolderRowOpensItAndTheTreeFollows) {
    DesktopFolder top("実行テスト");
    const std::string inner = top.MakeFolder("中のフォルダ");
    WriteFileBytes(top / "文書.txt", "x");
    BrowserWindow window;
    window.tree->SelectPath(top.Path());
    ASSERT_EQ(window.RowText(0), "中のフォルダ");
    RECT row{LVIR_LABEL};
    ::SendMessageA(window.list->Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    HWND list = window.list->Handle();
    ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(list, WM_LBUTTONUP, 0, at);
    ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::SendMessageA(list, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(window.list->FolderPath(), inner);
    EXPECT_EQ(window.tree->SelectedPath(), inner);
}

namespace {
ProcessResources mostInALife;
long listsInALife = 0;

void OneLife(const DesktopFolder& top) {
    BrowserWindow window;
    window.tree->SelectPath(top / "a\\b");
    window.list->SetViewStyle(vsReport);
    for (int i = 0; i < 5; ++i) window.RowText(i, 1);
    WriteFileBytes(top / "a\\b\\new.txt", "x");
    const ProcessResources now = MeasureProcessResources();
    mostInALife.threads = std::max(mostInALife.threads, now.threads);
    mostInALife.handles = std::max(mostInALife.handles, now.handles);
    listsInALife = std::max(listsInALife, TKeshShID::LiveLists());
    ::DeleteFileA((top / "a\\b\\new.txt").c_str());
}
}  // namespace

TEST(BrowserJourney, NoThreadHandleOrIdentifierListOutlivesTheControls) {
    DesktopFolder top("寿命テスト");
    top.MakeFolder("a\\b");
    for (int i = 0; i < 2; ++i) OneLife(top);
    // A life runs three threads of its own (two watchers and the delay); the shell keeps one
    // of its own from the first life on.
    const ProcessResources before = SettledProcessResources({mostInALife.handles, 0, mostInALife.threads - 3});
    const long listsBefore = TKeshShID::LiveLists();
    constexpr int kLives = 12;
    for (int i = 0; i < kLives; ++i) OneLife(top);
    const ProcessResources after = SettledProcessResources({before.handles + 2, 0, before.threads});
    std::printf(
        "after %d lives: threads %lu -> %lu, handles %lu -> %lu, identifier lists %ld -> %ld "
        "(during a life: %lu threads, %lu handles, %ld lists)\n",
        kLives, before.threads, after.threads, before.handles, after.handles, listsBefore, TKeshShID::LiveLists(),
        mostInALife.threads, mostInALife.handles, listsInALife);
    ASSERT_GE(mostInALife.threads, before.threads + 3) << "two watchers and the delay thread";
    ASSERT_GT(listsInALife, listsBefore);
    EXPECT_EQ(after.threads, before.threads);
    // Wine's shell settles a handle of its own now and then; a leak of the controls (their
    // threads' locks among them) would add one in every life that took it.
    EXPECT_LE(after.handles, before.handles + 2);
    EXPECT_EQ(TKeshShID::LiveLists(), listsBefore);
}
