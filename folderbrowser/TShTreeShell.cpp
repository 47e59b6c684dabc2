#include "folderbrowser/TShTreeShell.h"

#include <windowsx.h>

#include <functional>
#include <vector>

#include "folderbrowser/DrawingOff.h"
#include "folderbrowser/SuspendedWatching.h"
#include "folderbrowser/TKeshShIDList.h"
#include "folderbrowser/TKeshShPopupMenu.h"
#include "folderbrowser/TShDropSource.h"
#include "folderbrowser/TShExpandedFolders.h"
#include "folderbrowser/TShTreeNodes.h"
#include "toolkit/TWinControl.h"

namespace {
// A node's item alone, with the folder that holds it.
TKeshShIDList ItemOf(TKeshShFolderData& data) {
    TKeshShIDList items(data.ParentID(), data.ParentFolder());
    items.Add(data.RelativeID());
    return items;
}
}  // namespace

// ---- context menu

void TShTreeShell::ContextMenu(TKeshShPopupMenu* menu, TKeshShTreeNode* node, POINT screen) {
    // Not for the root node (nor for the Desktop, which lies in no folder).
    if (!menu || !node || !nodes_.Alive(node) || node->Level() == 0 || node->ShData()->Level() == 0) return;
    TKeshShFolderData& data = *node->ShData();
    TKeshShIDList items = ItemOf(data);
    const std::string path = data.Path();
    SuspendedWatching<TShFolderLink::Tree> suspended(tree_);
    const int result = menu->ShPopup(items, screen);
    if (nodes_.Alive(node)) MenuCommandDone(result, *node, path);
}

void TShTreeShell::MenuCommandDone(int result, TKeshShTreeNode& node, const std::string& path) {
    TShFolderLink::List* list = tree_.LinkedList();
    switch (result) {
        case TKeshShPopupMenu::kShellDelete: {
            if (path.empty() || ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
            TShIDList parentID = TKeshShID::Copy(node.ShData()->ParentID());
            if (&node == nodes_.Selected()) {
                if (TKeshShTreeNode* parent = nodes_.ParentOf(&node)) {
                    if (list) list->OpenFolder(parent->ShData()->AbsoluteID());
                    nodes_.Select(parent);
                }
            }
            if (list) list->ContentsChanged(parentID.get());
            tree_.RefreshNodes();
            return;
        }
        case TKeshShPopupMenu::kShellRename:
            control_.SetFocus();
            TreeView_EditLabel(control_.Handle(), node.Item());
            return;
        case TKeshShPopupMenu::kShellCut:
            SetCut(&node);
            return;
        default:
            return;
    }
}

void TShTreeShell::SetCut(TKeshShTreeNode* node) {
    HWND window = control_.Handle();
    // Only what the clipboard holds now is shown cut.
    if (cutNode_ && nodes_.Alive(cutNode_)) TreeView_SetItemState(window, cutNode_->Item(), 0, TVIS_CUT);
    cutNode_ = node;
    if (node) TreeView_SetItemState(window, node->Item(), TVIS_CUT, TVIS_CUT);
}

void TShTreeShell::Forget(const TKeshShTreeNode* node) {
    if (cutNode_ == node) cutNode_ = nullptr;
}

// ---- renaming

bool TShTreeShell::RenameMessage(UINT message, LPARAM lParam, const std::function<LRESULT()>& handle, LRESULT& result) {
    bool onSelected = false;
    if (message == WM_LBUTTONDOWN) {
        TKeshShTreeNode* selected = nodes_.Selected();
        onSelected = selected && nodes_.At(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == selected;
    }
    return renames_.Message(message, onSelected, handle, result);
}

bool TShTreeShell::CanRename(TKeshShTreeNode* node, bool pressOrDragPending) {
    if (!renames_.MayBegin(control_.Handle())) return false;
    if (!node || !nodes_.Alive(node) || pressOrDragPending) return false;
    TKeshShFolderData& data = *node->ShData();
    return node->Level() > 0 && data.Level() > 0 && data.HasAttributes(SFGAO_CANRENAME);
}

void TShTreeShell::Rename(TKeshShTreeNode* node, const char* text) {
    if (!node || !nodes_.Alive(node) || !text || !TShRenameGuard::MayRename(control_.Handle())) return;
    TKeshShFolderData& data = *node->ShData();
    TShIDList old = TKeshShID::Copy(data.AbsoluteID());
    {
        SuspendedWatching<TShFolderLink::Tree> suspended(tree_);
        if (data.Rename(control_.Handle(), text)) AfterRename(*node, old.get());
    }
    // The label shows the item's name, renamed or not.
    nodes_.SetText(*node, LPSTR_TEXTCALLBACKA);
    if (!TKeshShID::Equal(old.get(), data.AbsoluteID())) ListFollowsRename(old.get(), data.AbsoluteID());
}

void TShTreeShell::Renamed(LPCITEMIDLIST oldAbsolute, LPCITEMIDLIST newRelative) {
    TKeshShTreeNode* node = nodes_.Existing(oldAbsolute);
    if (!node) return;
    TShIDList old = TKeshShID::Copy(oldAbsolute);
    node->ShData()->Renamed(TKeshShID::Copy(newRelative));
    AfterRename(*node, old.get());
    ::InvalidateRect(control_.Handle(), nullptr, TRUE);
}

void TShTreeShell::AfterRename(TKeshShTreeNode& node, LPCITEMIDLIST oldAbsolute) {
    HWND window = control_.Handle();
    const bool expanded = nodes_.Expanded(&node);
    // Every identifier list below it changed with its name: what was open or selected
    // below it is remembered by its place under it, to be found again.
    std::vector<TShIDList> openBelow;
    std::function<void(TKeshShTreeNode*)> collect = [&](TKeshShTreeNode* parent) {
        for (TKeshShTreeNode* child : nodes_.Children(parent)) {
            if (!nodes_.Expanded(child)) continue;
            openBelow.push_back(TKeshShID::Copy(TKeshShID::Below(oldAbsolute, child->ShData()->AbsoluteID())));
            collect(child);
        }
    };
    if (expanded) collect(&node);
    TKeshShTreeNode* selected = nodes_.Selected();
    TShIDList selectedBelow = selected && selected != &node
                                  ? TKeshShID::Copy(TKeshShID::Below(oldAbsolute, selected->ShData()->AbsoluteID()))
                                  : TShIDList();
    expanded_.ForgetBelow(oldAbsolute);

    DrawingOff drawingOff(window);
    while (HTREEITEM child = TreeView_GetChild(window, node.Item())) TreeView_DeleteItem(window, child);
    node.SetChildrenRead(false);
    node.ForgetLook();
    if (TKeshShTreeNode* parent = nodes_.ParentOf(&node)) nodes_.SortChildren(*parent);
    LPCITEMIDLIST renamed = node.ShData()->AbsoluteID();
    if (expanded) {
        nodes_.Merge(node);
        nodes_.Expand(&node);
        expanded_.Remember(renamed, true);
        for (const TShIDList& below : openBelow) {
            TShIDList id = TKeshShID::Concat(renamed, below.get());
            if (TKeshShTreeNode* open = nodes_.Find(id.get())) nodes_.Expand(open);
        }
    } else {
        nodes_.AskChildrenAgain(node);
    }
    if (selectedBelow) {
        TShIDList id = TKeshShID::Concat(renamed, selectedBelow.get());
        if (TKeshShTreeNode* again = nodes_.Find(id.get())) nodes_.Select(again);
    }
}

void TShTreeShell::ListFollowsRename(LPCITEMIDLIST oldAbsolute, LPCITEMIDLIST newAbsolute) {
    TShFolderLink::List* list = tree_.LinkedList();
    if (!list || !list->ShownFolderID()) return;
    if (LPCITEMIDLIST below = TKeshShID::Below(oldAbsolute, list->ShownFolderID())) {
        TShIDList moved = TKeshShID::Concat(newAbsolute, below);
        list->OpenFolder(moved.get());
    }
    TShIDList parent = TKeshShID::Parent(newAbsolute);
    list->ContentsChanged(parent.get());
}

// ---- dragging out and dropping in

void TShTreeShell::StartDrag(TKeshShTreeNode* node, POINT client, const std::function<bool(POINT screen)>& permit) {
    if (!node || !nodes_.Alive(node) || node->ShData()->Level() == 0) return;
    TKeshShIDList items = ItemOf(*node->ShData());
    DragOutOf(control_.Handle(), items, client, permit);
}

TShItemDropTarget TShTreeShell::DropTargetAt(TKeshShDragObject& drag, POINT client) {
    TKeshShTreeNode* node = nodes_.At(client);
    if (!node) return TShItemDropTarget();
    TKeshShFolderData& data = *node->ShData();
    // Nothing goes into itself or below itself.
    if (drag.HoldsItemOrAncestorOf(data.AbsoluteID())) return TShItemDropTarget();
    if (node != nodes_.Root() && !data.HasAttributes(SFGAO_DROPTARGET)) return TShItemDropTarget();
    return TShItemDropTarget::For(data, control_.Handle());
}
