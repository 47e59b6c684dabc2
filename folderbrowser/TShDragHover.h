#pragma once
// Items dragged over the folder tree: the node under the pointer is shown as the drop
// target; a node that stays under it for more than 30 notices opens when it has children
// (below the first level only a folder or a ready drive); within a font's height of an edge
// the tree scrolls a line towards it at every notice.
#include <windows.h>

class TKeshShTreeNode;
class TShTreeNodes;
class TWinControl;

class TShDragHover {
public:
    static constexpr int kNoticesToOpen = 30;

    TShDragHover(TWinControl& tree, TShTreeNodes& nodes) : tree_(tree), nodes_(nodes) {}

    // A notice of the pointer at a client point of the tree.
    void Over(POINT client);
    // The drag has left or dropped: no node is shown as the target any more.
    void Finished();
    // The node is gone.
    void Forget(const TKeshShTreeNode* node);

private:
    void ScrollNearEdge(POINT client);

    TWinControl& tree_;
    TShTreeNodes& nodes_;
    TKeshShTreeNode* node_ = nullptr;
    int notices_ = 0;
};
