// The folder tree under the mouse: the shell's context menu of a node, renaming a node in
// place, and dragging nodes out of and dropping items onto the tree.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <functional>

#include "folderbrowser/SuspendedWatching.h"
#include "folderbrowser/TKeshShIDList.h"
#include "folderbrowser/TKeshShPopupMenu.h"
#include "folderbrowser/TKeshShTreeView.h"
#include "folderbrowser/TShDropSource.h"
#include "toolkit/CallbackErrors.h"

namespace {
// A node that stays under a drag for more notices than this opens.
constexpr int kHoverNoticesToExpand = 30;
}  // namespace

// ---- context menu

void TKeshShTreeView::ContextMenu(POINT screen) {
    TKeshShTreeNode* node = pressedNode_;
    // Not for the root node (nor for the Desktop, which lies in no folder).
    if (!popupMenu_ || !node || !nodes_.Alive(node) || node->Level() == 0 || node->ShData()->Level() == 0) return;
    TKeshShFolderData& data = *node->ShData();
    TKeshShIDList items(data.ParentID(), data.ParentFolder());
    items.Add(data.RelativeID());
    const std::string path = data.Path();
    SuspendedWatching<TKeshShTreeView> suspended(*this);
    const int result = popupMenu_->ShPopup(items, screen);
    if (nodes_.Alive(node)) MenuCommandDone(result, *node, path);
}

void TKeshShTreeView::MenuCommandDone(int result, TKeshShTreeNode& node, const std::string& path) {
    switch (result) {
        case TKeshShPopupMenu::kShellDelete: {
            if (path.empty() || ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
            TShIDList parentID = TKeshShID::Copy(node.ShData()->ParentID());
            if (&node == Selected()) {
                if (TKeshShTreeNode* parent = ParentOf(&node)) {
                    if (LinkedList()) LinkedList()->OpenFolder(parent->ShData()->AbsoluteID());
                    Select(parent);
                }
            }
            if (LinkedList()) LinkedList()->ContentsChanged(parentID.get());
            RefreshNodes();
            return;
        }
        case TKeshShPopupMenu::kShellRename:
            SetFocus();
            TreeView_EditLabel(Handle(), node.Item());
            return;
        case TKeshShPopupMenu::kShellCut:
            SetCut(&node);
            return;
        default:
            return;
    }
}

void TKeshShTreeView::SetCut(TKeshShTreeNode* node) {
    // Only what the clipboard holds now is shown cut.
    if (cutNode_ && nodes_.Alive(cutNode_)) TreeView_SetItemState(Handle(), cutNode_->Item(), 0, TVIS_CUT);
    cutNode_ = node;
    if (node) TreeView_SetItemState(Handle(), node->Item(), TVIS_CUT, TVIS_CUT);
}

// ---- renaming

bool TKeshShTreeView::BeginLabelEdit(TKeshShTreeNode* node) {
    if (!node || !nodes_.Alive(node) || MouseDownState != msNone || DragObject()) return false;
    TKeshShFolderData& data = *node->ShData();
    return node->Level() > 0 && data.Level() > 0 && data.HasAttributes(SFGAO_CANRENAME);
}

void TKeshShTreeView::EndLabelEdit(TKeshShTreeNode* node, const char* text) {
    if (!node || !nodes_.Alive(node) || !text) return;
    TKeshShFolderData& data = *node->ShData();
    TShIDList old = TKeshShID::Copy(data.AbsoluteID());
    {
        SuspendedWatching<TKeshShTreeView> suspended(*this);
        if (data.Rename(Handle(), text)) AfterRename(*node, old.get());
    }
    // The label shows the item's name, renamed or not.
    nodes_.SetText(*node, LPSTR_TEXTCALLBACKA);
    if (!TKeshShID::Equal(old.get(), data.AbsoluteID())) ListFollowsRename(old.get(), data.AbsoluteID());
}

void TKeshShTreeView::ItemRenamed(LPCITEMIDLIST oldAbsolute, LPCITEMIDLIST newRelative) {
    TKeshShTreeNode* node = nodes_.Existing(oldAbsolute);
    if (!node) return;
    TShIDList old = TKeshShID::Copy(oldAbsolute);
    node->ShData()->Renamed(TKeshShID::Copy(newRelative));
    AfterRename(*node, old.get());
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TKeshShTreeView::AfterRename(TKeshShTreeNode& node, LPCITEMIDLIST oldAbsolute) {
    HWND window = Handle();
    const bool expanded = Expanded(&node);
    // Every identifier list below it changed with its name: what was open or selected
    // below it is remembered by its place under it, to be found again.
    std::vector<TShIDList> openBelow;
    std::function<void(TKeshShTreeNode*)> collect = [&](TKeshShTreeNode* parent) {
        for (TKeshShTreeNode* child : Children(parent)) {
            if (!Expanded(child)) continue;
            openBelow.push_back(TKeshShID::Copy(TKeshShID::Below(oldAbsolute, child->ShData()->AbsoluteID())));
            collect(child);
        }
    };
    if (expanded) collect(&node);
    TKeshShTreeNode* selected = Selected();
    TShIDList selectedBelow = selected && selected != &node
                                  ? TKeshShID::Copy(TKeshShID::Below(oldAbsolute, selected->ShData()->AbsoluteID()))
                                  : TShIDList();
    expandedFolders_.ForgetBelow(oldAbsolute);

    ::SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    while (HTREEITEM child = TreeView_GetChild(window, node.Item())) TreeView_DeleteItem(window, child);
    node.SetChildrenRead(false);
    node.ForgetLook();
    if (TKeshShTreeNode* parent = ParentOf(&node)) nodes_.SortChildren(*parent);
    LPCITEMIDLIST renamed = node.ShData()->AbsoluteID();
    if (expanded) {
        nodes_.Merge(node);
        Expand(&node);
        expandedFolders_.Remember(node.ShData()->AbsoluteID(), true);
        for (const TShIDList& below : openBelow) {
            TShIDList id = TKeshShID::Concat(renamed, below.get());
            if (TKeshShTreeNode* open = FindNode(id.get())) Expand(open);
        }
    } else {
        nodes_.AskChildrenAgain(node);
    }
    if (selectedBelow) {
        TShIDList id = TKeshShID::Concat(renamed, selectedBelow.get());
        if (TKeshShTreeNode* again = FindNode(id.get())) Select(again);
    }
    ::SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(window, nullptr, TRUE);
}

void TKeshShTreeView::ListFollowsRename(LPCITEMIDLIST oldAbsolute, LPCITEMIDLIST newAbsolute) {
    TShFolderLink::List* list = LinkedList();
    if (!list || !list->ShownFolderID()) return;
    if (LPCITEMIDLIST below = TKeshShID::Below(oldAbsolute, list->ShownFolderID())) {
        TShIDList moved = TKeshShID::Concat(newAbsolute, below);
        list->OpenFolder(moved.get());
    }
    TShIDList parent = TKeshShID::Parent(newAbsolute);
    list->ContentsChanged(parent.get());
}

// ---- dragging out

void TKeshShTreeView::StartDrag(POINT client) {
    TKeshShTreeNode* node = pressedNode_;
    if (!node || !nodes_.Alive(node) || node->ShData()->Level() == 0) return;
    TKeshShFolderData& data = *node->ShData();
    TKeshShIDList items(data.ParentID(), data.ParentFolder());
    items.Add(data.RelativeID());
    const DWORD allowed = ShellDragEffects(items);
    if (allowed == DROPEFFECT_NONE) return;
    POINT screen = client;
    ::ClientToScreen(Handle(), &screen);
    bool canDrag = true;
    Raise(OnShBeginDrag, *this, *node, screen, static_cast<int>(client.x), static_cast<int>(client.y), canDrag);
    if (canDrag) DragShellItems(items, Handle(), MK_LBUTTON, allowed);
}

// ---- dropping in

TShItemDropTarget TKeshShTreeView::DropTargetAt(TKeshShDragObject& drag, POINT client) {
    TKeshShTreeNode* node = nodes_.At(client);
    if (!node) return TShItemDropTarget();
    TKeshShFolderData& data = *node->ShData();
    // Nothing goes into itself or below itself.
    if (drag.HoldsItemOrAncestorOf(data.AbsoluteID())) return TShItemDropTarget();
    if (node != RootNode() && !data.HasAttributes(SFGAO_DROPTARGET)) return TShItemDropTarget();
    return TShItemDropTarget::For(data, Handle());
}

void TKeshShTreeView::DragHover(POINT client) {
    TKeshShTreeNode* node = nodes_.At(client);
    if (node != hoverNode_) {
        hoverNode_ = node;
        hoverNotices_ = 0;
        TreeView_SelectDropTarget(Handle(), node ? node->Item() : nullptr);
    } else if (node && ++hoverNotices_ > kHoverNoticesToExpand) {
        hoverNotices_ = 0;
        const bool hasChildren = TreeView_GetChild(Handle(), node->Item()) || node->HasChildrenMark() > 0;
        const TShVirtuaItem kind = node->ShData()->ItemKind();
        const bool opens = node->Level() <= 1 || kind == itFolder || (kind == itRootDrive && nodes_.DriveReady(*node));
        if (hasChildren && opens && !Expanded(node)) Expand(node);
    }
    // Near an edge the tree scrolls that way, a line per notice.
    RECT area;
    ::GetClientRect(Handle(), &area);
    const int edge = std::max(1, Font().Height());
    if (client.y < area.top + edge) ::SendMessageA(Handle(), WM_VSCROLL, SB_LINEUP, 0);
    if (client.y >= area.bottom - edge) ::SendMessageA(Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    if (client.x < area.left + edge) ::SendMessageA(Handle(), WM_HSCROLL, SB_LINELEFT, 0);
    if (client.x >= area.right - edge) ::SendMessageA(Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
}

void TKeshShTreeView::DragFinished() {
    hoverNode_ = nullptr;
    hoverNotices_ = 0;
    if (HandleAllocated()) TreeView_SelectDropTarget(Handle(), nullptr);
}
