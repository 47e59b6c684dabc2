#include "folderbrowser/TKeshShTreeNode.h"

#include "toolkit/TWinControl.h"

TKeshShTreeNode::TKeshShTreeNode(TWinControl& tree, std::unique_ptr<TKeshShFolderData> data)
    : tree_(tree), data_(std::move(data)) {
    data_->SetNode(this, this);
}

int TKeshShTreeNode::Level() const {
    if (!tree_.HandleAllocated()) return 0;
    HWND window = tree_.Handle();
    int level = 0;
    for (HTREEITEM item = TreeView_GetParent(window, item_); item; item = TreeView_GetParent(window, item)) ++level;
    return level;
}

int TKeshShTreeNode::AbsoluteIndex() const {
    HWND window = tree_.Handle();
    int index = 0;
    // Every item before this one in a walk of the whole tree, children included.
    HTREEITEM item = TreeView_GetRoot(window);
    while (item && item != item_) {
        ++index;
        HTREEITEM next = TreeView_GetChild(window, item);
        while (!next && item) {
            next = TreeView_GetNextSibling(window, item);
            if (!next) item = TreeView_GetParent(window, item);
        }
        item = next;
    }
    return item ? index : -1;
}
