#pragma once
// The shell folder tree: the shell namespace from its root (the Desktop by default) the way
// the system's file manager shows it, read lazily as nodes expand, kept current by a
// watcher of the fixed and CD-ROM drives, and linked to a contents list that follows its
// selection (and that it follows in turn).
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "folderbrowser/TKeshShChangeDelay.h"
#include "folderbrowser/TKeshShRoot.h"
#include "folderbrowser/TKeshShTreeNode.h"
#include "folderbrowser/TShDragHover.h"
#include "folderbrowser/TShDriveNotices.h"
#include "folderbrowser/TShDropSite.h"
#include "folderbrowser/TShExpandedFolders.h"
#include "folderbrowser/TShFolderLink.h"
#include "folderbrowser/TShMouseFollower.h"
#include "folderbrowser/TShNodeChildren.h"
#include "folderbrowser/TShSelectionHistory.h"
#include "folderbrowser/TShTreeNodes.h"
#include "folderbrowser/TShTreeShell.h"
#include "folderbrowser/TShWatching.h"
#include "toolkit/TWinControl.h"

class TKeshShPopupMenu;

// (sender, item, accept): accept starts true.
using TShCtrlDataEvent = std::function<void(TObject& sender, TKeshShData& data, bool& accept)>;
// (sender, node, permission): the permission starts true.
using TShTreeNodeEvent = std::function<void(TObject& sender, TKeshShTreeNode& node, bool& allow)>;
// (sender, pressed node, screen point, client x, y, permission): the permission starts true.
using TShTreeBeginDragEvent =
    std::function<void(TObject& sender, TKeshShTreeNode& node, POINT point, int x, int y, bool& canDrag)>;

// Besides showing the namespace it offers the shell's context menu of a node, renames
// nodes in place and takes part in drag and drop (TShTreeShell, TShDragHover).
class TKeshShTreeView : public TWinControl, public TShDropSite, public TShFolderLink::Tree {
public:
    explicit TKeshShTreeView(TComponent* owner);
    ~TKeshShTreeView() override;

    bool ChangeDelay() const { return changeDelay_; }
    void SetChangeDelay(bool value) { changeDelay_ = value; }
    bool IncludeFiles() const { return children_.includeFiles; }
    void SetIncludeFiles(bool value);
    bool IncludeHidden() const { return children_.includeHidden; }
    void SetIncludeHidden(bool value) override;
    TShVirtuaItems ShVirtuaItems() const override { return children_.shown; }
    void SetShVirtuaItems(TShVirtuaItems value) override;
    TKeshShRoot& ShRoot() { return root_; }
    // The linked contents list.
    TShFolderLink::List* ShListView() const { return LinkedList(); }
    void SetShListView(TShFolderLink::List* list);
    TKeshShPopupMenu* ShPopupMenu() const { return popupMenu_; }
    void SetShPopupMenu(TKeshShPopupMenu* menu);
    bool AutoExpand() const { return autoExpand_; }
    void SetAutoExpand(bool value) { autoExpand_ = value; }
    int Indent() const { return indent_; }
    void SetIndent(int value);

    // The selected node's path; empty without a selection or a file-system path.
    std::string SelectedPath();
    // Selects the node of a path; an empty, unparsable or vanished path changes nothing.
    void SelectPath(const std::string& path);
    // Finds, reading and expanding on the way, and selects the node of an absolute list; the
    // root when the search stops early. Nothing happens when the list lies outside the root
    // or is selected already.
    void SelectID(LPCITEMIDLIST absolute) override;
    // Re-reads the children of every visible node that is expanded or has children.
    void RefreshNodes() override;
    // Reads from the shell, ahead of time, what the nodes in view will be drawn with (names,
    // icons, children marks), so the next paint does not wait on it.
    void ReadVisibleItems();
    // Hands the icons of the nodes in view to be looked up ahead, on another thread.
    void AskIconsAhead(TShIconsAhead& ahead) { nodes_.AskIconsAhead(ahead); }
    // The node of an absolute list, found as SelectID finds it; null when the search stops.
    TKeshShTreeNode* FindNode(LPCITEMIDLIST absolute) { return nodes_.Find(absolute); }

    TKeshShTreeNode* Selected() { return nodes_.Selected(); }
    TKeshShTreeNode* RootNode() { return nodes_.Root(); }
    std::vector<TKeshShTreeNode*> Children(TKeshShTreeNode* node) { return nodes_.Children(node); }
    TKeshShTreeNode* NodeOf(HTREEITEM item) { return nodes_.NodeOf(item); }
    TKeshShTreeNode* ParentOf(TKeshShTreeNode* node) { return nodes_.ParentOf(node); }
    bool Expanded(TKeshShTreeNode* node) { return nodes_.Expanded(node); }
    void Expand(TKeshShTreeNode* node) { nodes_.Expand(node); }
    void Select(TKeshShTreeNode* node) { nodes_.Select(node); }

    // Counted: the first suspension empties the watcher, the last resumption refills it.
    void SuspendWatching(bool linked = false) override;
    void ResumeWatching(bool linked = false) override;

    // A node of the item renamed elsewhere (the list) takes the new identifier, keeping its
    // place among its siblings, its children and their expansion as renaming here does.
    void ItemRenamed(LPCITEMIDLIST oldAbsolute, LPCITEMIDLIST newRelative) override;

    // The pending mouse press: 0 none, 1 left button on a node, 2 right button on a node
    // (a context menu may follow), 3 dragging.
    int MouseDownState = 0;
    bool ArrowKeyNavigation() const { return arrowKeyNavigation_; }

    TShNotifyThread* Watcher() const { return watching_.Watcher(); }
    TKeshShChangeDelay* Delay() const { return delay_; }

    TNotifyEvent OnChange;
    TShCtrlDataEvent OnShAddData;
    TShCtrlDataEvent OnShFilter;
    TShTreeNodeEvent OnShExecute;
    TShTreeNodeEvent OnShLinkOpen;
    TShTreeBeginDragEvent OnShBeginDrag;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool NotifyNotification(NMHDR& header, LRESULT& result) override;
    void Notification(TComponent& component, TOperation operation) override;

    TShItemDropTarget DropTargetAt(TKeshShDragObject& drag, POINT client) override;
    void DragHover(POINT client) override;
    void DragFinished() override;
    TObject& DragSender() override { return *this; }
    // A volume notice from the application window (virtual so a test can make it fail).
    virtual void DeviceChange(WPARAM event, LPARAM data);

private:
    // Gives the window the system's list if it was made with the blank one.
    void AttachImagesLeftForLater();
    void Fill();
    void SelectionChanged(TKeshShTreeNode* node);
    void Change(TKeshShTreeNode& node);
    // The view deleted a node's item: nothing here holds the node any longer.
    void DeleteNode(TKeshShTreeNode* node);
    void DoubleClick();
    void FolderChanged(const std::string& folder);
    BYTE WatchFilter() const;

    void ContextMenu(POINT screen);
    void StartDrag(POINT client);

    TKeshShRoot root_;
    TKeshShPopupMenu* popupMenu_ = nullptr;
    bool changeDelay_ = true;
    // What a node's children are read with: the properties IncludeFiles, IncludeHidden and
    // ShVirtuaItems, and the events OnShAddData and OnShFilter.
    TShNodeChildren children_;
    TShTreeNodes nodes_{*this, children_};
    bool autoExpand_ = false;
    int indent_ = 19;
    bool arrowKeyNavigation_ = false;

    TShSelectionHistory history_;
    TShExpandedFolders expandedFolders_;

    TShWatching watching_;
    TShDriveNotices drives_{[this](WPARAM event, LPARAM data) { DeviceChange(event, data); }};
    TKeshShChangeDelay* delay_ = nullptr;

    TShTreeShell shell_{*this, *this, nodes_, expandedFolders_};
    TShDragHover hover_{*this, nodes_};
    TKeshShTreeNode* pressedNode_ = nullptr;
    TShMouseFollower mouse_{MouseDownState,
                            {[this](POINT at) { return (pressedNode_ = nodes_.At(at)) != nullptr; },
                             [this](POINT at) { StartDrag(at); }, [this](POINT screen) { ContextMenu(screen); }}};
};
