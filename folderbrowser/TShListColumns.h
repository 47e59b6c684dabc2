#pragma once
// The report columns of the contents list: the header built for the shown contents, and per
// folder the state its columns had when the list left it (the sort column, and per column
// its place, sort direction and width), given back when the folder is shown again.
#include <windows.h>

#include "folderbrowser/TKeshShColumnList.h"

class TKeshShFileList;

class TShListColumns {
public:
    // Fills the header of the list's window with the contents' columns, each a quarter of
    // the window wide.
    static void Build(HWND window, TKeshShFileList& shown);
    // Remembers the state of the shown contents' columns under their folder's key.
    void Save(HWND window, TKeshShFileList& shown);
    // Gives the shown contents' columns the places and widths remembered for their folder.
    void Apply(HWND window, TKeshShFileList& shown) const;
    // Freshly read contents take the sort column and directions remembered for their folder.
    void Restore(TKeshShFileList& fresh) const;

private:
    TKeshShColumnList remembered_;
};
