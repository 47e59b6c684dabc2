#pragma once
// A node of the folder tree: the system tree item and the shell item it shows. The tree
// owns its nodes (TShTreeNodes); a node lives until its item is deleted.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "folderbrowser/TKeshShFolderData.h"

class TWinControl;

class TKeshShTreeNode final : public TKeshShFolderData::Place {
public:
    // `tree` is the control whose tree view holds the item.
    TKeshShTreeNode(TWinControl& tree, std::unique_ptr<TKeshShFolderData> data);

    TWinControl* Owner() const override { return &tree_; }
    HTREEITEM Item() const { return item_; }
    void SetItem(HTREEITEM item) { item_ = item; }
    TKeshShFolderData* ShData() const { return data_.get(); }

    // True once the children have been read from the shell (even when there were none).
    bool ChildrenRead() const { return childrenRead_; }
    void SetChildrenRead(bool value) { childrenRead_ = value; }

    // What the view was told when it asked: the has-children mark (-1: not yet asked) and
    // whether the overlay has been looked up.
    int HasChildrenMark() const { return hasChildrenMark_; }
    void SetHasChildrenMark(int mark) { hasChildrenMark_ = mark; }
    bool OverlayKnown() const { return overlayKnown_; }
    void SetOverlayKnown() { overlayKnown_ = true; }
    void ForgetLook() {
        hasChildrenMark_ = -1;
        overlayKnown_ = false;
    }

    int Level() const;
    // Position among all nodes, counted from the first root node down through every child.
    int AbsoluteIndex() const override;

private:
    TWinControl& tree_;
    HTREEITEM item_ = nullptr;
    std::unique_ptr<TKeshShFolderData> data_;
    bool childrenRead_ = false;
    int hasChildrenMark_ = -1;
    bool overlayKnown_ = false;
};
