// The tree and the list begin renaming by themselves a while after a click on the item already
// selected. With real clicks and keys, given as quickly as a user gives them: that edit opens
// only where the user left it, and an edit whose control was hidden renames nothing.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/folderbrowser/UserInput.h"
#include "tests/support/ProgramForms.h"
#include "tests/support/RealPointer.h"
#include "toolkit/FilePath.h"

namespace {
// Down and up together, with no message handled between them: the tree follows a press in a
// loop of its own until the release.
void Click(HWND window, POINT at) {
    MovePointer(window, at.x, at.y);
    ::ClientToScreen(window, &at);
    SendPointerInput(at, MOUSEEVENTF_LEFTDOWN);
    SendPointerInput(at, MOUSEEVENTF_LEFTUP);
}

// The name is set into the edit (typed Japanese does not reach an ANSI program under Wine),
// then Return is pressed.
void Finish(HWND edit, const char* name) {
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
    SendKeys({VK_RETURN});
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(edit); }));
}

// Long enough for an edit the controls timed to have opened.
void WaitPastTheEditDelay() { PumpFor(std::chrono::milliseconds(3 * ::GetDoubleClickTime())); }

using DelayedRename = ProgramForms;
}  // namespace

TEST_F(DelayedRename, OpensOnlyWhereTheUserLeftItAndAHiddenEditRenamesNothing) {
    DesktopFolder top("改名の間");
    top.MakeFolder("tree\\row");
    TForm2& f = *form2;
    f.Show();
    f.SelectPath(top / "tree");
    HWND tree = f.KeshShTreeView1->Handle();
    HWND list = f.KeshShListView1->Handle();
    auto node = [&] { return NodePoint(tree, f.KeshShTreeView1->Selected()->Item()); };
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == f.PageControl1->Handle(); }));
    SendKeys({VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == tree; }));

    // The selected node clicked, then Ctrl+Tab at once: the page is gone before the edit was
    // due, and what the user types next is not a name.
    Click(tree, node());
    SendKeys({VK_CONTROL, VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return f.PageControl1->ActivePageIndex() == 1; }));
    WaitPastTheEditDelay();
    EXPECT_EQ(TreeView_GetEditControl(tree), nullptr) << "an edit opened on the hidden page";
    for (char key : std::string("UNSEEN")) SendKeys({static_cast<WORD>(key)});
    SendKeys({VK_RETURN});
    PumpFor(std::chrono::milliseconds(500));
    EXPECT_TRUE(DirectoryExists(top / "tree"));
    EXPECT_FALSE(DirectoryExists(top / "unseen"));

    // Back on the page, the same click left alone opens the edit, as ever.
    SendKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return f.PageControl1->ActivePageIndex() == 0 && ::GetFocus() == tree; }));
    Click(tree, node());
    ASSERT_TRUE(PumpUntil([&] { return TreeView_GetEditControl(tree) != nullptr; }));
    Finish(TreeView_GetEditControl(tree), "tree2");
    ASSERT_TRUE(DirectoryExists(top / "tree2\\row"));

    // The list's focused row: clicked, then any key (Escape, which changes nothing there); then
    // clicked and left alone.
    SendKeys({VK_TAB});
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == list; }));
    f.KeshShListView1->SelectRow(0, true);
    Click(list, RowPoint(list, 0));
    SendKeys({VK_ESCAPE});
    WaitPastTheEditDelay();
    EXPECT_EQ(ListView_GetEditControl(list), nullptr) << "an edit opened after a key";
    Click(list, RowPoint(list, 0));
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetEditControl(list) != nullptr; }));
    Finish(ListView_GetEditControl(list), "row2");
    EXPECT_TRUE(DirectoryExists(top / "tree2\\row2"));

    // An edit asked for (F2) whose page is turned away under it ends without renaming.
    SendKeys({VK_F2});
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetEditControl(list) != nullptr; }));
    HWND edit = ListView_GetEditControl(list);
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("hidden"));
    f.PageControl1->SetActivePageIndex(2);
    SendKeys({VK_RETURN});
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(edit); }));
    EXPECT_TRUE(DirectoryExists(top / "tree2\\row2"));
    EXPECT_FALSE(DirectoryExists(top / "tree2\\hidden"));
}
