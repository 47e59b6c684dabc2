#pragma once
// What the contents list does with the shell for its rows: the shell's context menu of the
// selected rows (telling afterwards whether the first of them is gone), renaming a row in
// place, dragging the selected rows out, and the place a drop at a point goes into. Watching
// is suspended on the list and its tree while they change what they show themselves.
#include <windows.h>

#include <functional>

#include "folderbrowser/TShFolderLink.h"
#include "folderbrowser/TShItemDropTarget.h"
#include "folderbrowser/TShRenameGuard.h"

class TKeshShFileData;
class TKeshShFileList;
class TKeshShPopupMenu;
class TWinControl;

class TShListShell {
public:
    // (the command's result for the list to carry on with, whether the first selected item
    // is gone from the disk after a delete)
    using TMenuDone = std::function<void(int result, bool firstGone)>;

    // `control` and `list` are the list itself: its window, and what its tree may ask of it.
    TShListShell(TWinControl& control, TShFolderLink::List& list) : control_(control), list_(list) {}

    // The menu of the selected rows at a screen point; `done` runs while watching is still
    // suspended. No menu without selected rows.
    void ContextMenu(TKeshShPopupMenu* menu, TKeshShFileList* shown, POINT screen, const TMenuDone& done);

    // Follows a message of the list's window for the edits the list begins by itself; true
    // when it is handled through `handle` (the list's own handling), `result` set.
    bool RenameMessage(UINT message, LPARAM lParam, const std::function<LRESULT()>& handle, LRESULT& result);
    // Whether a row's label may be edited: the focused row, when its item can be renamed, and
    // only as the user left the list when the list begins the edit by itself (TShRenameGuard).
    bool CanRename(TKeshShFileList* shown, int index, int focused);
    // An edit of a row's label ended with a text: the item takes it as its name, and the
    // linked tree follows; unless the list is hidden by now.
    void Rename(TKeshShFileList* shown, int index, const char* text);

    // Drags the selected rows out of the list, when `permit` (given the pressed row, or the
    // first selected one, and the screen point) lets them.
    void StartDrag(TKeshShFileList* shown, int pressed, POINT client,
                   const std::function<bool(TKeshShFileData& row, POINT screen)>& permit);
    // A row that takes drops, or else the shown folder; nothing for a dragged row itself, nor
    // for the folder the items come from. `iconView`: a miss is tried a little higher.
    TShItemDropTarget DropTargetAt(TKeshShDragObject& drag, TKeshShFileList* shown, POINT client, bool iconView);

private:
    TWinControl& control_;
    TShFolderLink::List& list_;
    TShRenameGuard renames_;
};
