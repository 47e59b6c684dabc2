#pragma once
// What the contents list does with the shell for its rows: the shell's context menu of the
// selected rows (telling afterwards whether the first of them is gone), renaming a row in
// place, dragging the selected rows out, and the place a drop at a point goes into. Watching
// is suspended on the list and its tree while they change what they show themselves.
#include <windows.h>
#include <commctrl.h>

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
    // What the list does after the shell's menu changed the folder: its contents read again,
    // or the selected rows taken out (they are gone from the disk).
    struct TMenuDone {
        std::function<void()> reread;
        std::function<void()> removeSelected;
    };

    // `control` and `list` are the list itself: its window, and what its tree may ask of it.
    TShListShell(TWinControl& control, TShFolderLink::List& list) : control_(control), list_(list) {}

    // The menu of the selected rows at a screen point, and what its command asks of the list
    // and the linked tree afterwards, while watching is still suspended. No menu without
    // selected rows.
    void ContextMenu(TKeshShPopupMenu* menu, TKeshShFileList* shown, POINT screen, const TMenuDone& done);
    // Starts editing the focused row's label, if there is one (the keyboard's F2, the menu's
    // rename).
    void EditFocusedLabel(bool takeFocus);

    // Follows a message of the list's window for the edits the list begins by itself; true
    // when it is handled through `handle` (the list's own handling), `result` set.
    bool RenameMessage(UINT message, LPARAM lParam, const std::function<LRESULT()>& handle, LRESULT& result);
    // Whether a row's label may be edited: the focused row, when its item can be renamed, and
    // only as the user left the list when the list begins the edit by itself (TShRenameGuard).
    bool CanRename(TKeshShFileList* shown, int index, int focused);
    // An edit of a row's label ended with a text: the item takes it as its name, and the
    // linked tree follows; unless the list is hidden by now.
    void Rename(TKeshShFileList* shown, int index, const char* text);
    // The view's notice that a label edit begins (LVN_BEGINLABELEDITA) or ends
    // (LVN_ENDLABELEDITA), answered as the view asks: FALSE lets an edit begin.
    LRESULT LabelEdit(UINT code, const LVITEMA& item, TKeshShFileList* shown, int focused);

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
