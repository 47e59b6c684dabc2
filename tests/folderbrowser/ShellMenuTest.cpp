#include <gtest/gtest.h>

#include <algorithm>

#include "folderbrowser/TKeshShMenuItem.h"
#include "tests/folderbrowser/BrowserFixture.h"
#include "tests/folderbrowser/UserInput.h"
#include "toolkit/FilePath.h"

namespace {
using std::chrono::seconds;
using Names = std::vector<std::string>;

bool Shows(const Names& captions, const std::string& caption) {
    return std::find(captions.begin(), captions.end(), caption) != captions.end();
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
    // The folder that holds it was shown before: its contents are kept from then.
    tree.SelectPath(top.Path());
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

    // Cut: the node is drawn cut.
    {
        MenuChooser chooser("切り取り", false);
        ASSERT_TRUE(Xdo("mousemove " + ScreenAt(treeWindow, NodePoint(treeWindow, doomed->Item())) + " click 3"));
        ASSERT_TRUE(PumpUntil([&] { return chooser.Done(); }, seconds(20)));
        EXPECT_TRUE(chooser.Succeeded());
    }
    EXPECT_TRUE(TreeView_GetItemState(treeWindow, doomed->Item(), TVIS_CUT) & TVIS_CUT);

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

TEST(ShellMenu, OwnItemsComeFirstAndAShellCommandIsCarriedOutByTheShell) {
    DesktopFolder top("独自の項目");
    WriteFileBytes(top / "写す.txt", "x");
    BrowserWindow window;
    TKeshShPopupMenu& menu = *window.menu;
    auto* own = new TKeshShMenuItem(&window.form, "独自の項目");
    own->ShortCutText = "Ctrl+K";
    int clicks = 0;
    own->OnClick = [&](TObject&) { ++clicks; };
    menu.Add(own);
    menu.SetInsertPos(7);
    EXPECT_EQ(menu.InsertPos(), 1u) << "never past the own items";
    TMenuItem* after = nullptr;
    menu.OnShAfterPopup = [&](TObject&, TMenuItem& item, TKeshShIDList&) { after = &item; };
    TShIDList folder = TKeshShID::FromPath(top.Path());
    TShIDList file = TKeshShID::FromPath(top / "写す.txt");
    TKeshShIDList items(folder.get());
    items.Add(TKeshShID::Last(file.get()));
    const POINT at{300, 300};

    {
        MenuChooser chooser("独自の項目", false);
        EXPECT_EQ(menu.ShPopup(items, at), 0);
        ASSERT_TRUE(PumpUntil([&] { return chooser.Done(); }));
        EXPECT_TRUE(chooser.Succeeded());
        ASSERT_GE(chooser.Captions().size(), 3u);
        EXPECT_EQ(chooser.Captions()[0], "独自の項目\tCtrl+K");
        EXPECT_EQ(chooser.Captions()[1], "開く(&O)") << "the shell's items after the own ones";
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(after, own);

    after = nullptr;
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    ::CloseClipboard();
    {
        MenuChooser chooser("コピー", false);
        const int result = menu.ShPopup(items, at);
        ASSERT_TRUE(PumpUntil([&] { return chooser.Done(); }));
        EXPECT_TRUE(chooser.Succeeded());
        EXPECT_GT(result, 0) << "the command's place + 1";
        for (int reaction : {TKeshShPopupMenu::kShellCreateShortcut, TKeshShPopupMenu::kShellDelete,
                             TKeshShPopupMenu::kShellRename, TKeshShPopupMenu::kShellCut})
            EXPECT_NE(result, reaction) << "nothing for the controls to do";
    }
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_HDROP)) << "copied by the shell";
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(after, nullptr);
}
