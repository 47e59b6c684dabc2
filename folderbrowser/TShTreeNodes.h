#pragma once
// The nodes of a folder tree: each one an item of the system's tree view in the control's
// window and the shell item it shows. Here nodes are made and found; their children are read
// and merged in as they open or are refreshed; and what a node shows (name, icons,
// has-children mark, overlay) is answered when the view asks for it.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "folderbrowser/TKeshShTreeNode.h"
#include "folderbrowser/TShNodeChildren.h"

class TShIconsAhead;
class TWinControl;

class TShTreeNodes {
public:
    // Posted to the control's window with a node (LPARAM) whose overlay is to be shown.
    static constexpr UINT kShowOverlay = WM_APP + 20;

    // `reading` says which children a node gets; it is the control's and may change.
    TShTreeNodes(TWinControl& control, const TShNodeChildren& reading);
    ~TShTreeNodes();
    TShTreeNodes(const TShTreeNodes&) = delete;
    TShTreeNodes& operator=(const TShTreeNodes&) = delete;

    TKeshShTreeNode* NodeOf(HTREEITEM item);
    TKeshShTreeNode* Selected();
    TKeshShTreeNode* Root();
    TKeshShTreeNode* ParentOf(TKeshShTreeNode* node);
    std::vector<TKeshShTreeNode*> Children(TKeshShTreeNode* node);
    // The node under a client point, or null.
    TKeshShTreeNode* At(POINT client);
    // Whether the node still lives (its item has not been deleted).
    bool Alive(const TKeshShTreeNode* node) const { return nodes_.count(node) != 0; }
    std::vector<TKeshShTreeNode*> All() const;
    bool Expanded(TKeshShTreeNode* node);
    void Expand(TKeshShTreeNode* node);
    void Select(TKeshShTreeNode* node);
    void SetText(TKeshShTreeNode& node, char* text);

    // Makes the node of an item below `parent`, after `after`; null when the view refuses it.
    TKeshShTreeNode* Insert(HTREEITEM parent, HTREEITEM after, std::unique_ptr<TKeshShFolderData> data);
    // The view deleted the node's item: the node is handed over, to go once nothing holds it
    // any more; null for what is no node.
    std::unique_ptr<TKeshShTreeNode> Release(TKeshShTreeNode* node);

    // Reads a node's children unless they were read already or its drive is not ready.
    void ReadChildren(TKeshShTreeNode& node);
    // Reads a node's children again and merges them into its child nodes.
    void Merge(TKeshShTreeNode& node);
    // A drive root below My Computer is read only when its drive answers.
    bool DriveReady(TKeshShTreeNode& node);
    // Re-reads the children of every node in view that is open or has children; the others
    // are asked again for their has-children mark and overlay when next drawn.
    void RefreshVisible();
    // The view asks the node again whether it has children, when it next draws it.
    void AskChildrenAgain(TKeshShTreeNode& node);
    // Sorts a node's children again by their folder's order (after one of them was renamed).
    void SortChildren(TKeshShTreeNode& parent);

    // Whether an absolute list lies at or below the root.
    bool UnderRoot(LPCITEMIDLIST absolute);
    // The node of an absolute list, reading and opening the nodes on the way; null when the
    // search stops.
    TKeshShTreeNode* Find(LPCITEMIDLIST absolute);
    // The node of an absolute list among the nodes there are, reading nothing.
    TKeshShTreeNode* Existing(LPCITEMIDLIST absolute);

    // Answers the view's request for what a node shows.
    void DisplayInfo(NMTVDISPINFOA& info);
    // Reads, before a paint, what the nodes in view will be drawn with.
    void ReadVisible();
    // Hands the icons of the nodes in view (the selected one's open icon too) to be looked
    // up ahead.
    void AskIconsAhead(TShIconsAhead& ahead);
    // Shows the overlay of a node (kShowOverlay).
    void ShowOverlay(TKeshShTreeNode* node);

private:
    class ChildNodes;

    void ForEachVisible(const std::function<void(TKeshShTreeNode& node)>& each);
    HWND Window() const;

    TWinControl& control_;
    const TShNodeChildren& reading_;
    std::unordered_map<const TKeshShTreeNode*, std::unique_ptr<TKeshShTreeNode>> nodes_;
};
