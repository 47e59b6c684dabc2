#include <gtest/gtest.h>

#include <algorithm>

#include "tests/folderbrowser/BrowserFixture.h"
#include "tests/folderbrowser/UserInput.h"
#include "toolkit/FilePath.h"

namespace {
using std::chrono::seconds;
using Names = std::vector<std::string>;

bool Shows(const Names& captions, const std::string& caption) {
    return std::find(captions.begin(), captions.end(), caption) != captions.end();
}

Names ChildNames(TKeshShTreeView& tree, TKeshShTreeNode* node) {
    Names names;
    for (TKeshShTreeNode* child : tree.Children(node)) names.push_back(child->ShData()->DisplayName());
    return names;
}

// The menu as the settings window could set it up to offer renaming, counting its pop-ups
// and keeping the names of the items it was given the last time.
struct MenuWatch {
    explicit MenuWatch(TKeshShPopupMenu& menu) {
        menu.ReadOnly = false;
        menu.ContextType = shctNormal;
        menu.OnShBeforPopup = [this](TObject&, TKeshShIDList& items, POINT, bool&) {
            ++popups;
            handed.clear();
            for (int i = 0; i < items.Count(); ++i)
                handed.push_back(TKeshShID::DisplayName(items.Folder(), items.Item(i), SHGDN_INFOLDER));
        };
    }
    int popups = 0;
    Names handed;
};
}  // namespace

TEST(ShellMenu, ListRowsGetTheShellsMenuWhoseRenameAndDeleteTheListCarriesOn) {
    DesktopFolder top("メニューテスト");
    WriteFileBytes(top / "メモ.txt", "x");
    top.MakeFolder("消すフォルダ\\中");
    BrowserWindow window;
    MenuWatch watch(*window.menu);
    window.list->SetViewStyle(vsReport);
    window.tree->SelectPath(top.Path());
    window.tree->Expand(window.tree->Selected());
    ASSERT_EQ(window.RowNames(), (Names{"消すフォルダ", "メモ.txt"}));
    HWND list = window.list->Handle();

    // Empty space below the rows gets no menu: the right press after it, on a row, is the
    // first to get one, for that row.
    {
        MenuChooser chooser("名前の変更", false);
        ASSERT_TRUE(Xdo("mousemove " + ScreenAt(list, POINT{300, 400}) + " click 3 mousemove " +
                        ScreenAt(list, RowPoint(list, 1)) + " click 3"));
        ASSERT_TRUE(PumpUntil([&] { return chooser.Done(); }, seconds(20)));
        EXPECT_TRUE(chooser.Succeeded());
        EXPECT_EQ(watch.popups, 1);
        EXPECT_EQ(watch.handed, Names{"メモ.txt"});
        for (const char* caption : {"切り取り(&U)", "コピー(&C)", "削除(&D)", "名前の変更(&R)", "プロパティ(&P)"})
            EXPECT_TRUE(Shows(chooser.Captions(), caption)) << Utf8(caption);
    }
    // Renaming from the menu edits the row in place.
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetEditControl(list) != nullptr; }));
    ASSERT_TRUE(Xdo("key Escape"));
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetEditControl(list) == nullptr; }));

    // Deleting a folder: once the shell's confirmation is answered the row and the tree's
    // node for it are gone.
    {
        MenuChooser chooser("削除", true);
        ASSERT_TRUE(Xdo("mousemove " + ScreenAt(list, RowPoint(list, 0)) + " click 3"));
        ASSERT_TRUE(PumpUntil([&] { return chooser.Done(); }, seconds(30)));
        EXPECT_TRUE(chooser.Succeeded());
    }
    EXPECT_FALSE(DirectoryExists(top / "消すフォルダ"));
    EXPECT_EQ(window.RowNames(), Names{"メモ.txt"});
    EXPECT_EQ(ChildNames(*window.tree, window.tree->Selected()), Names{});
    EXPECT_EQ(window.list->MouseDownState, 0);
}

TEST(ShellMenu, TreeNodesGetTheShellsMenuButTheDesktopDoesNot) {
    DesktopFolder top("ツリーメニュー");
    top.MakeFolder("残る");
    top.MakeFolder("消える\\中");
    BrowserWindow window;
    MenuWatch watch(*window.menu);
    TKeshShTreeView& tree = *window.tree;
    tree.SelectPath(top / "消える");
    TKeshShTreeNode* doomed = tree.Selected();
    HWND treeWindow = tree.Handle();
    TreeView_EnsureVisible(treeWindow, tree.RootNode()->Item());
    TreeView_EnsureVisible(treeWindow, doomed->Item());
    RECT shown{};
    ASSERT_TRUE(TreeView_GetItemRect(treeWindow, tree.RootNode()->Item(), &shown, TRUE)) << "the Desktop in view";

    {
        MenuChooser chooser("名前の変更", false);
        ASSERT_TRUE(Xdo("mousemove " + ScreenAt(treeWindow, NodePoint(treeWindow, tree.RootNode()->Item())) +
                        " click 3 mousemove " + ScreenAt(treeWindow, NodePoint(treeWindow, doomed->Item())) +
                        " click 3"));
        ASSERT_TRUE(PumpUntil([&] { return chooser.Done(); }, seconds(20)));
        EXPECT_TRUE(chooser.Succeeded());
        EXPECT_EQ(watch.popups, 1) << "none for the Desktop";
        EXPECT_EQ(watch.handed, Names{"消える"});
    }
    ASSERT_TRUE(PumpUntil([&] { return TreeView_GetEditControl(treeWindow) != nullptr; }));
    ASSERT_TRUE(Xdo("key Escape"));
    ASSERT_TRUE(PumpUntil([&] { return TreeView_GetEditControl(treeWindow) == nullptr; }));

    // The selected folder deleted: the tree and the list move to the folder that held it.
    {
        MenuChooser chooser("削除", true);
        ASSERT_TRUE(Xdo("mousemove " + ScreenAt(treeWindow, NodePoint(treeWindow, doomed->Item())) + " click 3"));
        ASSERT_TRUE(PumpUntil([&] { return chooser.Done(); }, seconds(30)));
        EXPECT_TRUE(chooser.Succeeded());
    }
    EXPECT_FALSE(DirectoryExists(top / "消える"));
    EXPECT_EQ(tree.SelectedPath(), top.Path());
    EXPECT_EQ(window.list->FolderPath(), top.Path());
    EXPECT_EQ(ChildNames(tree, tree.Selected()), Names{"残る"});
    EXPECT_EQ(window.RowNames(), Names{"残る"});
}
