#include "tests/folderbrowser/BrowserFixture.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {
// Shown, and nothing left to paint: what the control shows has been asked for.
bool Painted(TWinControl& control) {
    return ::IsWindowVisible(control.Handle()) && !::GetUpdateRect(control.Handle(), nullptr, FALSE);
}
}  // namespace

BrowserWindow::BrowserWindow() {
    form.SetCaption("フォルダの選択");
    form.SetBounds(0, 0, 900, 560);
    tree = new TKeshShTreeView(&form);
    tree->SetBounds(4, 4, 280, 520);
    list = new TKeshShListView(&form);
    list->SetBounds(288, 4, 600, 520);
    list->SetShTreeView(tree);
    menu = new TKeshShPopupMenu(&form);
    tree->SetShPopupMenu(menu);
    list->SetShPopupMenu(menu);
    tree->OnChange = [this](TObject&) { ++treeChanges; };
    list->OnShListChange = [this](TObject&, TKeshShFileList&) { ++listChanges; };
    tree->SetParent(&form);
    list->SetParent(&form);
    form.Show();
    EXPECT_TRUE(PumpUntil([&] { return Painted(*tree) && Painted(*list); })) << "the browser was not painted";
}

BrowserWindow::~BrowserWindow() = default;

std::string BrowserWindow::RowText(int row, int column) {
    char text[520] = {};
    ListView_GetItemText(list->Handle(), row, column, text, sizeof text);
    return text;
}

std::vector<std::string> BrowserWindow::RowNames() {
    std::vector<std::string> names;
    const int count = ListView_GetItemCount(list->Handle());
    for (int i = 0; i < count; ++i) names.push_back(RowText(i));
    return names;
}

void BrowserWindow::ClickHeader(int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = list->Handle();
    click.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(list->Handle()));
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    ::SendMessageA(form.Handle(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

std::vector<std::string> ChildNames(TKeshShTreeView& tree, TKeshShTreeNode* node) {
    std::vector<std::string> names;
    for (TKeshShTreeNode* child : tree.Children(node)) names.push_back(child->ShData()->DisplayName());
    return names;
}

TKeshShTreeNode* ChildNamed(TKeshShTreeView& tree, TKeshShTreeNode* node, const std::string& name) {
    for (TKeshShTreeNode* child : tree.Children(node)) {
        if (child->ShData()->DisplayName() == name) return child;
    }
    return nullptr;
}

std::string NodeText(TKeshShTreeView& tree, TKeshShTreeNode* node) {
    char text[MAX_PATH] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = node->Item();
    item.pszText = text;
    item.cchTextMax = sizeof text;
    TreeView_GetItem(tree.Handle(), &item);
    return text;
}
