#include "folderbrowser/TShListHandOver.h"

#include <utility>

void TShListHandOver::Begin(HWND window) { fresh_ = ::PostMessageA(window, kEnds, 0, 0) != FALSE; }

bool TShListHandOver::Message(UINT message) {
    if (message != kEnds) return false;
    fresh_ = false;
    return true;
}

bool TShListHandOver::Take(const TKeshShFileList* shown, TShContentsSet contents, bool filtered, LPCITEMIDLIST folderID,
                           SHCONTF flags, std::vector<TShIDList>& relatives, ComPtr<IShellFolder>& folder) {
    const bool fresh = std::exchange(fresh_, false);
    // The Desktop's and its first level's children are chosen by rules of each control's
    // own, and rows the program's filter turned away may be wanted by the tree.
    if (!fresh || !shown || filtered || TKeshShID::Count(folderID) <= 1 ||
        !TKeshShID::Equal(shown->FolderID(), folderID))
        return false;
    const bool files = flags & SHCONTF_NONFOLDERS, hidden = flags & SHCONTF_INCLUDEHIDDEN;
    if (!(contents & scFolders) || (files && !(contents & scFiles)) || (hidden && !(contents & scHidden))) return false;
    for (int i = 0; i < shown->Count(); ++i) {
        TKeshShFileData& row = *shown->Row(i);
        if (!files && !row.HasAttributes(SFGAO_FOLDER)) continue;
        if (!hidden && (contents & scHidden) && row.HasAttributes(SFGAO_HIDDEN)) continue;
        relatives.push_back(TKeshShID::Copy(row.RelativeID()));
    }
    folder = ComPtr<IShellFolder>::Share(shown->Folder());
    return true;
}
