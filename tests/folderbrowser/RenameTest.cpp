#include <gtest/gtest.h>

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
