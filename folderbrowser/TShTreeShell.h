#pragma once
// What the folder tree does with the shell for a node: shows the shell's context menu and
// carries on after its command (a deleted folder's node goes, a renamed one is edited, a cut
// one is drawn cut), renames a node in place and follows a rename wherever it was made, drags
// a node out, and names the node a drop at a point goes into. Watching is suspended on the
// tree and its list while the tree changes what they show itself.
#include <windows.h>

#include <functional>
#include <string>

#include "folderbrowser/TShFolderLink.h"
#include "folderbrowser/TShItemDropTarget.h"
#include "folderbrowser/TShRenameGuard.h"

class TKeshShPopupMenu;
class TKeshShTreeNode;
class TShExpandedFolders;
class TShTreeNodes;
class TWinControl;

class TShTreeShell {
public:
    // `control` and `tree` are the tree itself: its window, and what its list may ask of it.
    TShTreeShell(TWinControl& control, TShFolderLink::Tree& tree, TShTreeNodes& nodes, TShExpandedFolders& expanded)
        : control_(control), tree_(tree), nodes_(nodes), expanded_(expanded) {}

    // The menu of a node pressed with the right button, at a screen point; none for the
    // root node nor the Desktop.
    void ContextMenu(TKeshShPopupMenu* menu, TKeshShTreeNode* node, POINT screen);

    // Follows a message of the tree's window for the edits the tree begins by itself; true
    // when it is handled through `handle` (the tree's own handling), `result` set.
    bool RenameMessage(UINT message, LPARAM lParam, const std::function<LRESULT()>& handle, LRESULT& result);
    // Whether a node's label may be edited: an item that can be renamed, never a node of the
    // first level, not while a press or a drag is pending on the tree, and only as the user
    // left the tree when the tree begins the edit by itself (TShRenameGuard).
    bool CanRename(TKeshShTreeNode* node, bool pressOrDragPending);
    // An edit of the label ended with a text: the item takes it as its name, unless the tree
    // is hidden by now.
    void Rename(TKeshShTreeNode* node, const char* text);
    // The node of an item renamed in the list takes its new identifier.
    void Renamed(LPCITEMIDLIST oldAbsolute, LPCITEMIDLIST newRelative);

    // Drags a pressed node out of the tree, when `permit` (given the screen point) lets it.
    void StartDrag(TKeshShTreeNode* node, POINT client, const std::function<bool(POINT screen)>& permit);
    // The node under a client point as the place of a drop; none for the dragged item itself
    // or a folder below it, nor for a node that takes no drops (the root always does).
    TShItemDropTarget DropTargetAt(TKeshShDragObject& drag, POINT client);

    // The node is gone.
    void Forget(const TKeshShTreeNode* node);

private:
    void MenuCommandDone(int result, TKeshShTreeNode& node, const std::string& path);
    void SetCut(TKeshShTreeNode* node);
    // The node's children and its place among its siblings after a rename; what was open or
    // selected below it is opened and selected again under the new name.
    void AfterRename(TKeshShTreeNode& node, LPCITEMIDLIST oldAbsolute);
    // The linked list showing the renamed folder (or one below it) opens it under its new
    // name; showing the folder that holds it, it reads its contents again; what it kept
    // from other folders is dropped.
    void ListFollowsRename(LPCITEMIDLIST oldAbsolute, LPCITEMIDLIST newAbsolute);

    TWinControl& control_;
    TShFolderLink::Tree& tree_;
    TShTreeNodes& nodes_;
    TShExpandedFolders& expanded_;
    TKeshShTreeNode* cutNode_ = nullptr;
    TShRenameGuard renames_;
};
