#pragma once
// A folder's contents as the list shows them, without a window: the rows read from the shell
// (folders, files and hidden items as asked; of the virtual items only the kinds asked for;
// each row that the list's filter takes) and sorted by the sort column in its direction; and
// contents read again taking over the sort, selection and focus of those they replace.
#include <windows.h>

#include <functional>
#include <memory>

#include "folderbrowser/TKeshShFileList.h"

class TShReadAhead;
class TWinControl;

// What the list enumerates.
enum TShContent : unsigned { scFolders = 1, scFiles = 2, scHidden = 4 };
using TShContentsSet = unsigned;

class TShContentsReader {
public:
    TShContentsSet contents = scFolders | scFiles | scHidden;
    TShVirtuaItems shown = kDefaultVirtuaItems;
    // Whether a row is taken; every row when unset.
    std::function<bool(TKeshShData& row)> accept;

    // The folder's rows, unsorted, for the list control `owner` (whose window, if any, owns
    // what the shell may show meanwhile); null when the folder cannot be read. A reading
    // made ahead for the folder, if `ahead` holds one, is taken instead of reading it.
    std::unique_ptr<TKeshShFileList> Read(LPCITEMIDLIST folderID, TWinControl* owner, HWND window,
                                          TShReadAhead* ahead = nullptr) const;
    // What the shell is asked to enumerate.
    SHCONTF Flags() const;
    // By the contents' sort column in its direction; a folder without a path is not sorted
    // by its fifth column.
    static void Sort(TKeshShFileList& list);
    // Fresh contents of the same folder take over the sort column and directions of the old
    // ones, and the rows that are still there stay selected and focused; then they are sorted.
    static void TakeOver(const TKeshShFileList& old, TKeshShFileList& fresh);
};
