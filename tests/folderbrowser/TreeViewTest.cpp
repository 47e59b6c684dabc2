#include <windows.h>
#include <dbt.h>
#include <gtest/gtest.h>

#include <cctype>
#include <utility>

#include "folderbrowser/TKeshShTreeView.h"
#include "folderbrowser/TShDriveNotices.h"
#include "tests/folderbrowser/BrowserFixture.h"
#include "toolkit/TApplication.h"

namespace {
TKeshShTreeNode* ChildOfKind(TKeshShTreeView& tree, TKeshShTreeNode* parent, TShVirtuaItem kind) {
    for (TKeshShTreeNode* child : tree.Children(parent)) {
        if (child->ShData()->ItemKind() == kind) return child;
    }
    return nullptr;
}
}  // namespace

TEST(TreeView, SelectedPathIsTheSelectedItemsFileSystemPath) {
    BrowserWindow window;
    TKeshShTreeView& tree = *window.tree;
    ASSERT_NE(tree.RootNode(), nullptr);
    EXPECT_EQ(tree.Selected(), tree.RootNode()) << "filling selects the root";
    EXPECT_EQ(tree.SelectedPath(), DesktopDirectory()) << "the Desktop root stands for the desktop directory";
    EXPECT_EQ(window.list->FolderPath(), DesktopDirectory());

    TKeshShTreeNode* computer = ChildOfKind(tree, tree.RootNode(), itMyComputer);
    ASSERT_NE(computer, nullptr);
    EXPECT_TRUE(tree.Expanded(computer)) << "My Computer is opened with the Desktop";
    EXPECT_NE(ChildOfKind(tree, computer, itRootDrive), nullptr);
    EXPECT_NE(ChildOfKind(tree, tree.RootNode(), itBitBucket), nullptr);
    tree.Select(computer);
    EXPECT_EQ(tree.SelectedPath(), "") << "My Computer has no path";

    TreeView_SelectItem(tree.Handle(), nullptr);
    EXPECT_EQ(tree.Selected(), nullptr);
    EXPECT_EQ(tree.SelectedPath(), "");
}

TEST(TreeView, SelectPathExpandsToADeepFolderAndChangesNothingForWhatItCannotFind) {
    DesktopFolder top("選択テスト");
    const std::string deep = top.MakeFolder("第一階層\\第二階層\\目的のフォルダ");
    const std::string hidden = top.MakeFolder("隠しフォルダ");
    ::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    BrowserWindow window;
    TKeshShTreeView& tree = *window.tree;

    tree.SelectPath(deep);
    EXPECT_EQ(tree.SelectedPath(), deep);
    EXPECT_EQ(window.list->FolderPath(), deep) << "the linked list follows";
    for (TKeshShTreeNode* node = tree.ParentOf(tree.Selected()); node; node = tree.ParentOf(node))
        EXPECT_TRUE(tree.Expanded(node)) << node->ShData()->DisplayName();
    EXPECT_EQ(tree.Selected()->ShData()->DisplayName(), "目的のフォルダ");

    // The folder selected already, an empty, an unparsable and a vanished path: no change.
    const int changes = window.treeChanges;
    tree.SelectPath(deep);
    tree.SelectPath("");
    tree.SelectPath("?:\\どこにもない");
    tree.SelectPath(top / "消えたフォルダ");
    EXPECT_EQ(tree.SelectedPath(), deep);
    EXPECT_EQ(window.treeChanges, changes);

    // A folder the tree does not show: the search stops and the root is selected.
    window.list->SetShContents(scFolders | scFiles);
    EXPECT_FALSE(tree.IncludeHidden()) << "the linked list's hidden setting reaches the tree";
    tree.SelectPath(hidden);
    EXPECT_EQ(tree.Selected(), tree.RootNode());
}

// Icons as the view gets them: the closed icon on every node, the open icon on the one
// selected, also after the selection moves. The open icon is looked up only for the
// selected node, so the view must ask again when a node becomes selected.
TEST(TreeView, TheSelectedNodeShowsItsOpenIconAndEveryNodeItsOwnIcon) {
    DesktopFolder top("アイコンテスト");
    top.MakeFolder("一つ目\\中");
    top.MakeFolder("二つ目");
    BrowserWindow window;
    TKeshShTreeView& tree = *window.tree;
    const auto shown = [&](TKeshShTreeNode* node) {
        TVITEMA item{};
        item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = node->Item();
        TreeView_GetItem(tree.Handle(), &item);
        return std::make_pair(item.iImage, item.iSelectedImage);
    };
    const auto shellIcon = [](TKeshShTreeNode* node, bool open) {
        return TKeshShID::IconIndex(node->ShData()->AbsoluteID(), true, open);
    };
    for (const char* name : {"一つ目", "二つ目", "一つ目\\中"}) {
        tree.SelectPath(top / name);
        TKeshShTreeNode* selected = tree.Selected();
        ASSERT_EQ(tree.SelectedPath(), top / name);
        EXPECT_NE(shellIcon(selected, true), shellIcon(selected, false)) << "a folder opens";
        EXPECT_EQ(shown(selected), std::make_pair(shellIcon(selected, false), shellIcon(selected, true))) << name;
        for (TKeshShTreeNode* node : tree.Children(tree.ParentOf(selected)))
            EXPECT_EQ(shown(node).first, shellIcon(node, false)) << node->ShData()->DisplayName();
        for (TKeshShTreeNode* node = tree.ParentOf(selected); node; node = tree.ParentOf(node))
            EXPECT_EQ(shown(node).first, shellIcon(node, false)) << node->ShData()->DisplayName();
    }
}

TEST(TreeView, RefreshNodesMergesNewAndGoneFoldersKeepingTheRest) {
    DesktopFolder top("更新テスト");
    const std::string kept = top.MakeFolder("2残るフォルダ\\その中");
    top.MakeFolder("3消えるフォルダ");
    BrowserWindow window;
    TKeshShTreeView& tree = *window.tree;
    tree.SuspendWatching();
    tree.SelectPath(kept);
    TKeshShTreeNode* inner = tree.Selected();
    TKeshShTreeNode* topNode = tree.ParentOf(tree.ParentOf(inner));
    ASSERT_NE(topNode, nullptr);
    auto names = [&] {
        std::vector<std::string> result;
        for (TKeshShTreeNode* child : tree.Children(topNode)) result.push_back(child->ShData()->DisplayName());
        return result;
    };
    ASSERT_EQ(names(), (std::vector<std::string>{"2残るフォルダ", "3消えるフォルダ"}));

    DeleteTree(top / "3消えるフォルダ");
    top.MakeFolder("4新しいフォルダ");
    top.MakeFolder("1あとのフォルダ");
    tree.RefreshNodes();
    EXPECT_EQ(names(), (std::vector<std::string>{"1あとのフォルダ", "2残るフォルダ", "4新しいフォルダ"}));
    EXPECT_EQ(tree.Selected(), inner) << "the nodes that stayed are the same nodes, selection and all";
    tree.ResumeWatching();
}

TEST(TreeView, VolumeNoticesRenameTheDriveNode) {
    BrowserWindow window;
    TKeshShTreeView& tree = *window.tree;
    TKeshShTreeNode* computer = ChildOfKind(tree, tree.RootNode(), itMyComputer);
    ASSERT_NE(computer, nullptr);
    TKeshShTreeNode* drive = nullptr;
    for (TKeshShTreeNode* child : tree.Children(computer)) {
        if (child->ShData()->Path() == "C:\\") drive = child;
    }
    ASSERT_NE(drive, nullptr);
    auto text = [&] { return NodeText(tree, drive); };
    auto notice = [](WPARAM event) {
        DEV_BROADCAST_VOLUME volume{};
        volume.dbcv_size = sizeof volume;
        volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
        volume.dbcv_unitmask = 1u << ('C' - 'A');
        volume.dbcv_flags = DBTF_MEDIA;
        ::SendMessageA(TApplication::Instance().Handle(), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume));
    };
    char label[MAX_PATH] = {};
    ::GetVolumeInformationA("C:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0);
    std::string expected = label;
    for (char& c : expected) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!expected.empty()) expected[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(expected[0])));

    notice(DBT_DEVICEREMOVECOMPLETE);
    EXPECT_EQ(text(), " (C:)");
    notice(DBT_DEVICEARRIVAL);
    EXPECT_EQ(text(), expected + " (C:)");

    // Labels in lower case with a capital first letter; double-byte characters as they are
    // (their second bytes may be those of capital letters).
    const std::pair<std::string, std::string> labels[] = {
        {"DATA DISK", "Data disk"},   {"usb", "Usb"},   {"", ""},
        {"2024BACKUP", "2024backup"}, {"アイ", "アイ"}, {"写真USB", "写真usb"},
    };
    for (const auto& [label, shown] : labels) EXPECT_EQ(TShDriveNotices::Label(label), shown) << Utf8(label);
}
