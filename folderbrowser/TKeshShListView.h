#pragma once
// The contents of one folder as a virtual list: rows are built when the folder is read,
// but names, icons and details are read only for the rows the view shows. Folders shown
// before are kept (up to HistoryLimit) for an instant return; a watcher keeps the shown
// folder current. Linked to a folder tree, the two stay on the same folder.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "folderbrowser/TKeshShIDList.h"
#include "folderbrowser/TShClipboardViewer.h"
#include "folderbrowser/TShContentsReader.h"
#include "folderbrowser/TShDropSite.h"
#include "folderbrowser/TShFolderLink.h"
#include "folderbrowser/TShListColumns.h"
#include "folderbrowser/TShListContents.h"
#include "folderbrowser/TShListHandOver.h"
#include "folderbrowser/TShListRows.h"
#include "folderbrowser/TShListShell.h"
#include "folderbrowser/TShMouseFollower.h"
#include "toolkit/TShiftState.h"
#include "toolkit/TWinControl.h"

class TKeshShPopupMenu;
class TShIconsAhead;
class TShReadAhead;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

using TShFileListEvent = std::function<void(TObject& sender, TKeshShFileList& list)>;
// (sender, row, permission): the permission starts true.
using TShListItemEvent = std::function<void(TObject& sender, TKeshShFileData& row, bool& allow)>;
using TShListFilterEvent = std::function<void(TObject& sender, TKeshShData& data, bool& accept)>;
// (sender, whether the clipboard holds files or shell items to paste)
using TShClipboardEvent = std::function<void(TObject& sender, bool contented)>;
// (sender, pressed row, screen point, client x, y, permission): the permission starts true.
using TShListBeginDragEvent =
    std::function<void(TObject& sender, TKeshShFileData& row, POINT point, int x, int y, bool& canDrag)>;

// Besides showing a folder it offers the shell's context menu of the selected rows,
// renames rows in place and takes part in drag and drop (TShListShell).
class TKeshShListView : public TWinControl, public TShDropSite, public TShFolderLink::List {
public:
    explicit TKeshShListView(TComponent* owner);
    ~TKeshShListView() override;

    TShContentsSet ShContents() const { return reader_.contents; }
    void SetShContents(TShContentsSet value);
    TShVirtuaItems ShVirtuaItems() const override { return reader_.shown; }
    void SetShVirtuaItems(TShVirtuaItems value) override { reader_.shown = value; }
    // The linked folder tree.
    TShFolderLink::Tree* ShTreeView() const { return LinkedTree(); }
    void SetShTreeView(TShFolderLink::Tree* tree);
    TKeshShPopupMenu* ShPopupMenu() const { return popupMenu_; }
    void SetShPopupMenu(TKeshShPopupMenu* menu);
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle style);

    // The shown folder's path (the desktop directory for the Desktop); empty without one.
    std::string FolderPath();
    // Makes a folder of that name in the shown folder and selects its row; false when the
    // shown folder is outside the file system, the folder exists or cannot be made.
    bool CreateFolder(const std::string& name);
    // Shows a folder's contents (from the cache when it was shown before). False when it
    // cannot be read: the previous contents then stay.
    bool OpenFolder(LPCITEMIDLIST folderID) override;
    // Whether the window, once made, opens the Desktop (on by default). An owner that opens a
    // folder of its own right after making the window turns it off and calls
    // OpenDesktopIfNoneShown once done: the Desktop is then not read for nothing.
    void SetDesktopAtStart(bool value) { desktopAtStart_ = value; }
    void OpenDesktopIfNoneShown();
    // A reading of a folder made ahead (the saved folder at start-up), taken instead of
    // reading that folder when it is opened; the one who offers it withdraws it (null) before
    // it goes.
    void OfferReading(TShReadAhead* reading) { offeredReading_ = reading; }
    // Reads from the shell, ahead of time, what the rows in view will be drawn with (names,
    // icons, details), so the next paint does not wait on it.
    void ReadVisibleItems();
    // Hands the icons of the rows in view to be looked up ahead, on another thread.
    void AskIconsAhead(TShIconsAhead& ahead);
    // Reverses a column's sort direction and sorts by it, as a click on its header does.
    void ColumnClick(int column);

    TKeshShFileList* ShFileList() const { return contents_.Shown(); }
    const TKeshShFileLists& Cache() const { return contents_.Cache(); }
    // Rows selected in the view, and the focused row (-1: none).
    std::vector<int> SelectedIndexes();
    int FocusedIndex();
    void SelectRow(int index, bool focus);

    void SuspendWatching(bool linked = false) override;
    void ResumeWatching(bool linked = false) override;
    void ContentsChanged(LPCITEMIDLIST folderID) override;
    LPCITEMIDLIST ShownFolderID() const override;
    bool ShowsHidden() const override { return (reader_.contents & scHidden) != 0; }
    bool TakeReading(LPCITEMIDLIST folderID, SHCONTF flags, std::vector<TShIDList>& relatives,
                     ComPtr<IShellFolder>& folder) override;

    // The pending mouse press: 0 none, 1 left button on a row, 2 right button on a row (a
    // context menu may follow), 3 dragging.
    int MouseDownState = 0;
    TShNotifyThread* Watcher() const { return contents_.Watcher(); }

    TShFileListEvent OnShListChange;
    TShFileListEvent OnShSelectionChange;
    TShListFilterEvent OnShFilter;
    TShListItemEvent OnShListOpen;
    TShListItemEvent OnShExecute;
    TShClipboardEvent OnShClipboard;
    TShListBeginDragEvent OnShBeginDrag;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool NotifyNotification(NMHDR& header, LRESULT& result) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Notification(TComponent& component, TOperation operation) override;

    TShItemDropTarget DropTargetAt(TKeshShDragObject& drag, POINT client) override;
    TObject& DragSender() override { return *this; }

private:
    // Gives the window the system's lists if it was made with the blank ones.
    void AttachImagesLeftForLater();
    void Display();
    // Before the window is destroyed: it leaves the clipboard viewer chain and stops
    // taking drops.
    void WindowGoes();
    // The row under a client point, or -1.
    int RowAt(POINT client, bool retryHigher = false);
    // The view's selection into the shown rows, while the view's rows change.
    void CaptureSelection();
    void Reread();
    // Takes the selected rows out of the shown contents (they are gone from the folder).
    void RemoveSelectedRows();
    void Activate(int index);
    void FolderChanged(const std::string& folder);
    void FollowLinked(LPCITEMIDLIST folderID);
    BYTE WatchFilter() const;
    TKeshShFileList* Shown() const { return contents_.Shown(); }
    void OpenDesktop();

    void ContextMenu(POINT screen);
    void StartDrag(POINT client);

    // What the list reads: the properties ShContents and ShVirtuaItems, the event OnShFilter.
    TShContentsReader reader_;
    TShListHandOver handOver_;
    TShReadAhead* offeredReading_ = nullptr;
    bool desktopAtStart_ = true;
    TKeshShPopupMenu* popupMenu_ = nullptr;
    TViewStyle viewStyle_ = vsIcon;

    TShListContents contents_;
    TShListColumns columns_;
    TShClipboardViewer clipboard_;
    TShListShell shell_{*this, *this};
    int pressedRow_ = -1;
    TShMouseFollower mouse_{MouseDownState,
                            {[this](POINT at) { return (pressedRow_ = RowAt(at)) >= 0; },
                             [this](POINT at) { StartDrag(at); }, [this](POINT screen) { ContextMenu(screen); }}};
};
