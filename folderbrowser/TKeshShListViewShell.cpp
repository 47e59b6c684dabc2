// The contents list under the mouse: the shell's context menu of the selected rows,
// renaming a row in place, and dragging rows out of and dropping items onto the list.
#include <windows.h>
#include <windowsx.h>

#include "folderbrowser/SuspendedWatching.h"
#include "folderbrowser/TKeshShFolderData.h"
#include "folderbrowser/TKeshShListView.h"
#include "folderbrowser/TKeshShPopupMenu.h"
#include "folderbrowser/TShDropSource.h"
#include "toolkit/FilePath.h"

// ---- context menu

void TKeshShListView::ContextMenu(POINT screen) {
    if (!popupMenu_ || !shown_) return;
    TKeshShIDList items = TShListRows::SelectedItems(Handle(), *shown_);
    if (items.Count() == 0) return;
    // What the first item was, to tell afterwards whether it is gone.
    const std::string firstPath = shown_->Row(SelectedIndexes().front())->Path();
    const DWORD attributes = ::GetFileAttributesA(firstPath.c_str());
    const bool firstWasFile = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    SuspendedWatching<TKeshShListView> suspended(*this);
    MenuCommandDone(popupMenu_->ShPopup(items, screen), firstPath, firstWasFile);
}

void TKeshShListView::MenuCommandDone(int result, const std::string& firstPath, bool firstWasFile) {
    switch (result) {
        case TKeshShPopupMenu::kShellCreateShortcut:
            if (FolderPath().empty()) return;
            Reread();
            if (LinkedTree()) LinkedTree()->RefreshNodes();
            return;
        case TKeshShPopupMenu::kShellDelete: {
            if (firstPath.empty()) return;
            const DWORD attributes = ::GetFileAttributesA(firstPath.c_str());
            const bool stillThere =
                firstWasFile ? attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)
                             : DirectoryExists(firstPath);
            if (stillThere) return;
            RemoveSelectedRows();
            if (LinkedTree()) LinkedTree()->RefreshNodes();
            return;
        }
        case TKeshShPopupMenu::kShellRename:
            if (const int focused = FocusedIndex(); focused >= 0) {
                SetFocus();
                ListView_EditLabel(Handle(), focused);
            }
            return;
        default:
            return;
    }
}

// ---- renaming

bool TKeshShListView::BeginLabelEdit(int index) {
    return shown_ && index >= 0 && index < shown_->Count() && index == FocusedIndex() &&
           shown_->Row(index)->HasAttributes(SFGAO_CANRENAME);
}

void TKeshShListView::EndLabelEdit(int index, const char* text) {
    if (!text || !shown_ || index < 0 || index >= shown_->Count()) return;
    TKeshShFileData& row = *shown_->Row(index);
    TShIDList old = TKeshShID::Copy(row.AbsoluteID());
    {
        SuspendedWatching<TKeshShListView> suspended(*this);
        if (row.Rename(Handle(), text) && LinkedTree()) {
            LinkedTree()->ItemRenamed(old.get(), row.RelativeID());
            LinkedTree()->RefreshNodes();
        }
    }
    ListView_RedrawItems(Handle(), index, index);
}

// ---- dragging out

void TKeshShListView::StartDrag(POINT client) {
    if (!shown_) return;
    TKeshShIDList items = TShListRows::SelectedItems(Handle(), *shown_);
    if (items.Count() == 0) return;
    const DWORD allowed = ShellDragEffects(items);
    if (allowed == DROPEFFECT_NONE) return;
    const int pressed = pressedRow_ >= 0 && pressedRow_ < shown_->Count() ? pressedRow_ : SelectedIndexes().front();
    POINT screen = client;
    ::ClientToScreen(Handle(), &screen);
    bool canDrag = true;
    Raise(OnShBeginDrag, *this, *shown_->Row(pressed), screen, static_cast<int>(client.x), static_cast<int>(client.y),
          canDrag);
    if (canDrag) DragShellItems(items, Handle(), MK_LBUTTON, allowed);
}

// ---- dropping in

TShItemDropTarget TKeshShListView::DropTargetAt(TKeshShDragObject& drag, POINT client) {
    if (!shown_) return TShItemDropTarget();
    if (const int index = RowAt(client, viewStyle_ == vsIcon); index >= 0) {
        TKeshShFileData& row = *shown_->Row(index);
        // A dragged row is no place to drop it.
        if (drag.Holds(shown_->FolderID(), row.RelativeID())) return TShItemDropTarget();
        if (row.HasAttributes(SFGAO_DROPTARGET)) {
            if (TShItemDropTarget target = TShItemDropTarget::For(row, Handle())) return target;
        }
    }
    // Empty space, or a row that takes no drops: the shown folder, unless that is where
    // the items come from.
    TKeshShFolderData folder(TKeshShID::Copy(shown_->FolderID()));
    if (folder.Level() > 0 && !folder.HasAttributes(SFGAO_DROPTARGET)) return TShItemDropTarget();
    if (drag.ComeFrom(shown_->FolderID())) return TShItemDropTarget();
    return TShItemDropTarget::For(folder, Handle());
}
