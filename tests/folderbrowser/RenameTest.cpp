#include <gtest/gtest.h>

#include <algorithm>

#include "tests/folderbrowser/BrowserFixture.h"
#include "tests/folderbrowser/UserInput.h"
#include "toolkit/FilePath.h"

namespace {
using Names = std::vector<std::string>;

// The name goes into the open editor as text (typed Japanese does not reach an ANSI
// program under Wine), then Return is pressed.
void Type(HWND editor, const std::string& name) {
    ASSERT_NE(editor, nullptr);
    ::SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ASSERT_TRUE(Xdo("key Return"));
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(editor); }));
}

// Folders b (open, with an open folder inside), c and d, the list showing the three.
struct ThreeFolders {
    DesktopFolder top;
    BrowserWindow window;
    TKeshShTreeNode* topNode = nullptr;
    explicit ThreeFolders(const std::string& name) : top(name) {
        top.MakeFolder("b_folder\\inner\\deep");
        top.MakeFolder("c_folder");
        top.MakeFolder("d_folder");
        window.list->SetViewStyle(vsReport);
        window.tree->SelectPath(top / "b_folder\\inner\\deep");
        window.tree->SelectPath(top.Path());
        topNode = window.tree->Selected();
    }
};
}  // namespace

TEST(Rename, AFolderRenamedInTheTreeTakesItsSortedPlaceAndStaysOpen) {
    ThreeFolders folders("ツリー改名");
    TKeshShTreeView& tree = *folders.window.tree;
    ASSERT_EQ(ChildNames(tree, folders.topNode), (Names{"b_folder", "c_folder", "d_folder"}));
    tree.SetFocus();
    TreeView_EditLabel(tree.Handle(), ChildNamed(tree, folders.topNode, "b_folder")->Item());
    Type(TreeView_GetEditControl(tree.Handle()), "z_folder");

    EXPECT_TRUE(DirectoryExists(folders.top / "z_folder\\inner\\deep"));
    EXPECT_FALSE(DirectoryExists(folders.top / "b_folder"));
    EXPECT_EQ(ChildNames(tree, folders.topNode), (Names{"c_folder", "d_folder", "z_folder"}));
    TKeshShTreeNode* renamed = ChildNamed(tree, folders.topNode, "z_folder");
    ASSERT_NE(renamed, nullptr);
    EXPECT_TRUE(tree.Expanded(renamed));
    TKeshShTreeNode* inner = ChildNamed(tree, renamed, "inner");
    ASSERT_NE(inner, nullptr);
    EXPECT_TRUE(tree.Expanded(inner)) << "what was open below stays open";
    EXPECT_EQ(ChildNames(tree, inner), Names{"deep"});
    EXPECT_EQ(inner->ShData()->Path(), folders.top / "z_folder\\inner");
    EXPECT_EQ(folders.window.RowNames(), (Names{"c_folder", "d_folder", "z_folder"})) << "the list follows";

    // A name that is taken: nothing changes and the node shows its old name.
    TKeshShTreeNode* c = ChildNamed(tree, folders.topNode, "c_folder");
    TreeView_EditLabel(tree.Handle(), c->Item());
    Type(TreeView_GetEditControl(tree.Handle()), "d_folder");
    EXPECT_TRUE(DirectoryExists(folders.top / "c_folder"));
    EXPECT_EQ(NodeText(tree, c), "c_folder");
    EXPECT_EQ(ChildNames(tree, folders.topNode), (Names{"c_folder", "d_folder", "z_folder"}));
}

TEST(Rename, AFolderRenamedInTheListIsRenamedInTheTreeKeepingItsExpansion) {
    ThreeFolders folders("一覧改名");
    TKeshShListView& list = *folders.window.list;
    TKeshShTreeView& tree = *folders.window.tree;
    ASSERT_EQ(folders.window.RowNames(), (Names{"b_folder", "c_folder", "d_folder"}));
    list.SetFocus();
    list.SelectRow(0, true);
    ListView_EditLabel(list.Handle(), 0);
    Type(ListView_GetEditControl(list.Handle()), "y_folder");

    EXPECT_TRUE(DirectoryExists(folders.top / "y_folder\\inner"));
    EXPECT_FALSE(DirectoryExists(folders.top / "b_folder"));
    EXPECT_EQ(folders.window.RowText(0), "y_folder");
    EXPECT_EQ(ChildNames(tree, folders.topNode), (Names{"c_folder", "d_folder", "y_folder"}));
    TKeshShTreeNode* renamed = ChildNamed(tree, folders.topNode, "y_folder");
    ASSERT_NE(renamed, nullptr);
    EXPECT_TRUE(tree.Expanded(renamed));
    EXPECT_EQ(ChildNames(tree, renamed), Names{"inner"});

    // A name the file system refuses: the row keeps its name.
    list.SelectRow(1, true);
    ListView_EditLabel(list.Handle(), 1);
    Type(ListView_GetEditControl(list.Handle()), "bad:name");
    EXPECT_TRUE(DirectoryExists(folders.top / "c_folder"));
    EXPECT_EQ(folders.window.RowText(1), "c_folder");
}

// F2 renames what the keyboard is on, by the rules of the shell menu's command: the selected
// node in the tree, the focused row in the list, never the Desktop.
TEST(Rename, F2RenamesTheFocusedNodeOrRowButNeverTheDesktop) {
    ThreeFolders folders("キー改名");
    TKeshShTreeView& tree = *folders.window.tree;
    TKeshShListView& list = *folders.window.list;
    HWND treeWindow = tree.Handle();

    tree.Select(ChildNamed(tree, folders.topNode, "c_folder"));
    tree.SetFocus();
    ASSERT_TRUE(Xdo("key F2"));
    ASSERT_TRUE(PumpUntil([&] { return TreeView_GetEditControl(treeWindow) != nullptr; })) << "no edit in the tree";
    Type(TreeView_GetEditControl(treeWindow), "e_folder");
    EXPECT_TRUE(DirectoryExists(folders.top / "e_folder"));
    EXPECT_FALSE(DirectoryExists(folders.top / "c_folder"));

    tree.Select(folders.topNode);
    ASSERT_EQ(folders.window.RowNames(), (Names{"b_folder", "d_folder", "e_folder"}));
    list.SetFocus();
    list.SelectRow(1, true);
    ASSERT_TRUE(Xdo("key F2"));
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetEditControl(list.Handle()) != nullptr; })) << "no edit in the list";
    Type(ListView_GetEditControl(list.Handle()), "f_folder");
    EXPECT_TRUE(DirectoryExists(folders.top / "f_folder"));
    EXPECT_FALSE(DirectoryExists(folders.top / "d_folder"));
    EXPECT_EQ(folders.window.RowText(1), "f_folder");

    tree.Select(tree.RootNode());
    tree.SetFocus();
    ASSERT_TRUE(Xdo("key F2"));
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_EQ(TreeView_GetEditControl(treeWindow), nullptr) << "the Desktop is never renamed";

    // What lies on the Desktop is renamed as in any other folder.
    const std::string renamed = DesktopDirectory() + "\\デスクトップ改名済み";
    struct Remove {
        std::string path;
        ~Remove() { ::RemoveDirectoryA(path.c_str()); }
    } remove{renamed};
    const Names rows = folders.window.RowNames();
    const auto row = std::find(rows.begin(), rows.end(), "キー改名");
    ASSERT_NE(row, rows.end());
    list.SetFocus();
    list.SelectRow(static_cast<int>(row - rows.begin()), true);
    ASSERT_TRUE(Xdo("key F2"));
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetEditControl(list.Handle()) != nullptr; }));
    Type(ListView_GetEditControl(list.Handle()), "デスクトップ改名済み");
    EXPECT_TRUE(DirectoryExists(renamed + "\\e_folder"));
    // Back, for the folder's own cleaning up.
    ::MoveFileA(renamed.c_str(), folders.top.Path().c_str());
}
