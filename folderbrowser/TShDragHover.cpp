#include "folderbrowser/TShDragHover.h"

#include <commctrl.h>

#include <algorithm>

#include "folderbrowser/TShTreeNodes.h"
#include "toolkit/TWinControl.h"

void TShDragHover::Over(POINT client) {
    HWND window = tree_.Handle();
    TKeshShTreeNode* node = nodes_.At(client);
    if (node != node_) {
        node_ = node;
        notices_ = 0;
        TreeView_SelectDropTarget(window, node ? node->Item() : nullptr);
    } else if (node && ++notices_ > kNoticesToOpen) {
        notices_ = 0;
        const bool hasChildren = TreeView_GetChild(window, node->Item()) || node->HasChildrenMark() > 0;
        const TShVirtuaItem kind = node->ShData()->ItemKind();
        const bool opens = node->Level() <= 1 || kind == itFolder || (kind == itRootDrive && nodes_.DriveReady(*node));
        if (hasChildren && opens && !nodes_.Expanded(node)) nodes_.Expand(node);
    }
    ScrollNearEdge(client);
}

void TShDragHover::ScrollNearEdge(POINT client) {
    HWND window = tree_.Handle();
    RECT area;
    ::GetClientRect(window, &area);
    const int edge = std::max(1, tree_.Font().Height());
    if (client.y < area.top + edge) ::SendMessageA(window, WM_VSCROLL, SB_LINEUP, 0);
    if (client.y >= area.bottom - edge) ::SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);
    if (client.x < area.left + edge) ::SendMessageA(window, WM_HSCROLL, SB_LINELEFT, 0);
    if (client.x >= area.right - edge) ::SendMessageA(window, WM_HSCROLL, SB_LINERIGHT, 0);
}

void TShDragHover::Finished() {
    node_ = nullptr;
    notices_ = 0;
    if (tree_.HandleAllocated()) TreeView_SelectDropTarget(tree_.Handle(), nullptr);
}

void TShDragHover::Forget(const TKeshShTreeNode* node) {
    if (node_ == node) node_ = nullptr;
}
