#pragma once
// The rows of the contents list as its virtual list view holds them: what a row shows when
// the view asks for it (and the rows in view read before a paint), which row lies under a
// point, and the selection. The view keeps the selection by row number, so it is carried in
// the rows themselves whenever the view's rows are taken away or change places.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "folderbrowser/TKeshShIDList.h"

class TKeshShFileList;
class TShIconsAhead;

class TShListRows {
public:
    // Answers the view's request for what a row of the shown contents (if any) shows.
    static void DisplayInfo(NMLVDISPINFOA& info, TKeshShFileList* shown);
    // Reads what the rows in view will be drawn with; with their details in the report view.
    static void ReadVisible(HWND window, TKeshShFileList& shown, bool details);
    // Hands the icons of the rows in view to be looked up ahead.
    static void AskIconsAhead(HWND window, TKeshShFileList& shown, TShIconsAhead& ahead);
    // The row under a client point, or -1; large icons leave gaps between icon and caption
    // and between rows, so a miss may be tried again a little higher.
    static int At(HWND window, const TKeshShFileList& shown, POINT client, bool retryHigher);

    static std::vector<int> Selected(HWND window);
    static int Focused(HWND window);
    static void Select(HWND window, int index, bool focus);
    // Selects and focuses the row of an item of the shown folder alone, if it has one.
    static void SelectOnly(HWND window, TKeshShFileList& shown, LPCITEMIDLIST relative);
    // The selected rows as items of the shown folder.
    static TKeshShIDList SelectedItems(HWND window, TKeshShFileList& shown);
    // The view's selection and focus into the rows, and back.
    static void Capture(HWND window, TKeshShFileList& shown);
    static void Restore(HWND window, TKeshShFileList& shown);

    // The view takes the shown contents' rows (none without contents), laid out for its
    // style, with their selection.
    static void Show(HWND window, TKeshShFileList* shown, DWORD style);
    // The view changes its style (LVS_ICON ... LVS_REPORT), keeping rows and selection.
    static void ChangeStyle(HWND window, TKeshShFileList* shown, DWORD oldStyle, DWORD style);
    // The rows sorted by a column in its direction, the selection kept with them.
    static void SortBy(HWND window, TKeshShFileList& shown, int column);

private:
    static void ForEachInView(HWND window, int count, const std::function<void(int index)>& each);
};
