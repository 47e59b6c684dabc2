#pragma once
// The list's reading of a folder it has just opened, handed to the linked tree, which expands
// that folder's node right after and need not read the folder again. All of the hand-over
// lives here: it begins when the list reads a folder afresh, and ends when the list next
// takes its messages (a message it posts itself), when anything else changes the list's
// contents, or when the tree has taken it. So nothing older than the folder's last reading
// is ever handed.
#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "folderbrowser/TKeshShFileList.h"
#include "folderbrowser/TShContentsReader.h"

class TShListHandOver {
public:
    // The list's window has read its shown folder afresh.
    void Begin(HWND window);
    void End() { fresh_ = false; }
    // From the list's window procedure: true when the message was the hand-over's end.
    bool Message(UINT message);

    // The relative lists of the shown folder's items that SHCONTF `flags` ask for, and the
    // folder as the list bound it, when the reading is fresh and of `folderID`, and the list
    // read all the tree needs (`contents`), unfiltered (`filtered` false). Taken once.
    bool Take(const TKeshShFileList* shown, TShContentsSet contents, bool filtered, LPCITEMIDLIST folderID,
              SHCONTF flags, std::vector<TShIDList>& relatives, ComPtr<IShellFolder>& folder);

private:
    static constexpr UINT kEnds = WM_APP + 21;
    bool fresh_ = false;
};
