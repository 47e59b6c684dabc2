#include "folderbrowser/TShListShell.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "folderbrowser/SuspendedWatching.h"
#include "folderbrowser/TKeshShFileList.h"
#include "folderbrowser/TKeshShFolderData.h"
#include "folderbrowser/TKeshShPopupMenu.h"
#include "folderbrowser/TShDropSource.h"
#include "folderbrowser/TShListRows.h"
#include "toolkit/FilePath.h"
#include "toolkit/TWinControl.h"

// ---- context menu

void TShListShell::ContextMenu(TKeshShPopupMenu* menu, TKeshShFileList* shown, POINT screen, const TMenuDone& done) {
    if (!menu || !shown) return;
    HWND window = control_.Handle();
    TKeshShIDList items = TShListRows::SelectedItems(window, *shown);
    if (items.Count() == 0) return;
    // What the first item was, to tell afterwards whether it is gone.
    const std::string firstPath = shown->Row(TShListRows::Selected(window).front())->Path();
    const DWORD before = ::GetFileAttributesA(firstPath.c_str());
    const bool firstWasFile = before != INVALID_FILE_ATTRIBUTES && !(before & FILE_ATTRIBUTE_DIRECTORY);
    // Read before the menu: while it is up the list may replace and free `shown`.
    const bool shownHasPath = !shown->Path().empty();
    SuspendedWatching<TShFolderLink::List> suspended(list_);
    const int result = menu->ShPopup(items, screen);
    switch (result) {
        case TKeshShPopupMenu::kShellCreateShortcut:
            if (!shownHasPath) return;
            done.reread();
            break;
        case TKeshShPopupMenu::kShellDelete: {
            if (firstPath.empty()) return;
            const DWORD now = ::GetFileAttributesA(firstPath.c_str());
            const bool firstGone = firstWasFile ? now == INVALID_FILE_ATTRIBUTES || (now & FILE_ATTRIBUTE_DIRECTORY)
                                                : !DirectoryExists(firstPath);
            if (!firstGone) return;
            done.removeSelected();
            break;
        }
        case TKeshShPopupMenu::kShellRename:
            EditFocusedLabel(true);
            return;
        default:
            return;
    }
    if (list_.LinkedTree()) list_.LinkedTree()->RefreshNodes();
}

void TShListShell::EditFocusedLabel(bool takeFocus) {
    HWND window = control_.Handle();
    const int focused = TShListRows::Focused(window);
    if (focused < 0) return;
    if (takeFocus) control_.SetFocus();
    // The edit's beginning applies the rules, as for any other way in.
    ListView_EditLabel(window, focused);
}

// ---- renaming

bool TShListShell::RenameMessage(UINT message, LPARAM lParam, const std::function<LRESULT()>& handle, LRESULT& result) {
    bool onSelected = false;
    if (message == WM_LBUTTONDOWN) {
        HWND window = control_.Handle();
        LVHITTESTINFO hit{};
        hit.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const int row = ListView_HitTest(window, &hit);
        constexpr UINT kChosen = LVIS_SELECTED | LVIS_FOCUSED;
        onSelected = row >= 0 && (hit.flags & LVHT_ONITEM) && ListView_GetItemState(window, row, kChosen) == kChosen;
    }
    return renames_.Message(message, onSelected, handle, result);
}

bool TShListShell::CanRename(TKeshShFileList* shown, int index, int focused) {
    return renames_.MayBegin(control_.Handle()) && shown && index >= 0 && index < shown->Count() && index == focused &&
           shown->Row(index)->HasAttributes(SFGAO_CANRENAME);
}

void TShListShell::Rename(TKeshShFileList* shown, int index, const char* text) {
    HWND window = control_.Handle();
    if (!text || !shown || index < 0 || index >= shown->Count() || !TShRenameGuard::MayRename(window)) return;
    TKeshShFileData& row = *shown->Row(index);
    TShIDList old = TKeshShID::Copy(row.AbsoluteID());
    {
        SuspendedWatching<TShFolderLink::List> suspended(list_);
        TShFolderLink::Tree* tree = list_.LinkedTree();
        if (row.Rename(window, text) && tree) {
            tree->ItemRenamed(old.get(), row.RelativeID());
            tree->RefreshNodes();
        }
    }
    ListView_RedrawItems(window, index, index);
}

// ---- dragging out and dropping in

void TShListShell::StartDrag(TKeshShFileList* shown, int pressed, POINT client,
                             const std::function<bool(TKeshShFileData& row, POINT screen)>& permit) {
    if (!shown) return;
    HWND window = control_.Handle();
    TKeshShIDList items = TShListRows::SelectedItems(window, *shown);
    if (items.Count() == 0) return;
    if (pressed < 0 || pressed >= shown->Count()) pressed = TShListRows::Selected(window).front();
    TKeshShFileData& row = *shown->Row(pressed);
    DragOutOf(window, items, client, [&](POINT screen) { return permit(row, screen); });
}

TShItemDropTarget TShListShell::DropTargetAt(TKeshShDragObject& drag, TKeshShFileList* shown, POINT client,
                                             bool iconView) {
    if (!shown) return TShItemDropTarget();
    HWND window = control_.Handle();
    if (const int index = TShListRows::At(window, *shown, client, iconView); index >= 0) {
        TKeshShFileData& row = *shown->Row(index);
        // A dragged row is no place to drop it.
        if (drag.Holds(shown->FolderID(), row.RelativeID())) return TShItemDropTarget();
        if (row.HasAttributes(SFGAO_DROPTARGET)) {
            if (TShItemDropTarget target = TShItemDropTarget::For(row, window)) return target;
        }
    }
    // Empty space, or a row that takes no drops: the shown folder, unless that is where
    // the items come from.
    TKeshShFolderData folder(TKeshShID::Copy(shown->FolderID()));
    if (folder.Level() > 0 && !folder.HasAttributes(SFGAO_DROPTARGET)) return TShItemDropTarget();
    if (drag.ComeFrom(shown->FolderID())) return TShItemDropTarget();
    return TShItemDropTarget::For(folder, window);
}

LRESULT TShListShell::LabelEdit(UINT code, const LVITEMA& item, TKeshShFileList* shown, int focused) {
    if (code == LVN_BEGINLABELEDITA) return CanRename(shown, item.iItem, focused) ? FALSE : TRUE;
    Rename(shown, item.iItem, item.pszText);
    return FALSE;
}
