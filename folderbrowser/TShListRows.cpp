#include "folderbrowser/TShListRows.h"

#include <string>

#include "folderbrowser/DrawingOff.h"
#include "folderbrowser/HourGlass.h"
#include "folderbrowser/TKeshShFileList.h"
#include "folderbrowser/TShIconsAhead.h"

namespace {
// An icon view gives every row its place when the rows or the style change. With drawing
// on, the system invalidates each row on the way, which for 10,000 rows takes far longer
// than showing them; called while drawing is off, the places are known when it comes back.
void PlaceIcons(HWND window, DWORD style) {
    if (style == LVS_ICON || style == LVS_SMALLICON) ListView_Arrange(window, LVA_DEFAULT);
}

void RepaintNow(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
}  // namespace

void TShListRows::DisplayInfo(NMLVDISPINFOA& info, TKeshShFileList* shown) {
    LVITEMA& item = info.item;
    if (!shown || item.iItem < 0 || item.iItem >= shown->Count()) return;
    TKeshShFileData& row = *shown->Row(item.iItem);
    if (item.mask & LVIF_TEXT) {
        std::string text;
        if (item.iSubItem == 0) {
            text = row.DisplayName();
        } else {
            const std::vector<std::string>& details = row.DetailTexts();
            if (static_cast<size_t>(item.iSubItem) <= details.size())
                text = details[static_cast<size_t>(item.iSubItem) - 1];
        }
        lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
    }
    if (item.mask & LVIF_IMAGE) item.iImage = row.IconIndex();
    if (item.mask & LVIF_STATE) {
        item.state &= ~(LVIS_OVERLAYMASK | LVIS_CUT);
        if (row.Ghosted()) item.state |= LVIS_CUT;
        if (const int overlay = row.Overlay()) item.state |= INDEXTOOVERLAYMASK(overlay);
    }
}

void TShListRows::ForEachInView(HWND window, int count, const std::function<void(int index)>& each) {
    RECT client;
    ::GetClientRect(window, &client);
    // Rows follow one another on the screen in every view: the first one out of sight ends
    // the rows in view.
    for (int index = ListView_GetTopIndex(window); index < count; ++index) {
        RECT bounds, seen;
        if (!ListView_GetItemRect(window, index, &bounds, LVIR_BOUNDS) || !::IntersectRect(&seen, &bounds, &client))
            break;
        each(index);
    }
}

void TShListRows::ReadVisible(HWND window, TKeshShFileList& shown, bool details) {
    ForEachInView(window, shown.Count(), [&](int index) {
        char text[MAX_PATH];
        NMLVDISPINFOA info{};
        info.item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
        info.item.iItem = index;
        info.item.pszText = text;
        info.item.cchTextMax = sizeof text;
        DisplayInfo(info, &shown);
        // The details of a row are read together.
        if (details) {
            info.item.mask = LVIF_TEXT;
            info.item.iSubItem = 1;
            DisplayInfo(info, &shown);
        }
    });
}

void TShListRows::AskIconsAhead(HWND window, TKeshShFileList& shown, TShIconsAhead& ahead) {
    ForEachInView(window, shown.Count(), [&](int index) { ahead.Add(*shown.Row(index), false); });
}

int TShListRows::At(HWND window, const TKeshShFileList& shown, POINT client, bool retryHigher) {
    LVHITTESTINFO hit{};
    hit.pt = client;
    int row = ListView_HitTest(window, &hit);
    if ((row < 0 || !(hit.flags & LVHT_ONITEM)) && retryHigher) {
        hit = LVHITTESTINFO{};
        hit.pt = POINT{client.x, client.y - 2};
        row = ListView_HitTest(window, &hit);
    }
    return row >= 0 && row < shown.Count() && (hit.flags & LVHT_ONITEM) ? row : -1;
}

std::vector<int> TShListRows::Selected(HWND window) {
    std::vector<int> selected;
    for (int i = ListView_GetNextItem(window, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(window, i, LVNI_SELECTED))
        selected.push_back(i);
    return selected;
}

int TShListRows::Focused(HWND window) { return ListView_GetNextItem(window, -1, LVNI_FOCUSED); }

void TShListRows::Select(HWND window, int index, bool focus) {
    const UINT state = LVIS_SELECTED | (focus ? LVIS_FOCUSED : 0);
    ListView_SetItemState(window, index, state, state);
    ListView_EnsureVisible(window, index, FALSE);
}

TKeshShIDList TShListRows::SelectedItems(HWND window, TKeshShFileList& shown) {
    TKeshShIDList items(shown.FolderID(), shown.Folder());
    for (int index : Selected(window)) {
        if (index < shown.Count()) items.Add(shown.Row(index)->RelativeID());
    }
    return items;
}

void TShListRows::Capture(HWND window, TKeshShFileList& shown) {
    for (int i = 0; i < shown.Count(); ++i) shown.Row(i)->SetSelected(false);
    for (int index : Selected(window)) {
        if (index < shown.Count()) shown.Row(index)->SetSelected(true);
    }
    const int focused = Focused(window);
    shown.Focused = focused >= 0 && focused < shown.Count() ? shown.Row(focused) : nullptr;
}

void TShListRows::Restore(HWND window, TKeshShFileList& shown) {
    ListView_SetItemState(window, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int i = 0; i < shown.Count(); ++i) {
        TKeshShFileData* row = shown.Row(i);
        UINT state = (row->Selected() ? LVIS_SELECTED : 0) | (row == shown.Focused ? LVIS_FOCUSED : 0);
        if (state) ListView_SetItemState(window, i, state, state);
        if (row == shown.Focused) ListView_EnsureVisible(window, i, FALSE);
    }
}

void TShListRows::Show(HWND window, TKeshShFileList* shown, DWORD style) {
    DrawingOff drawingOff(window);
    ListView_SetItemCountEx(window, shown ? shown->Count() : 0, LVSICF_NOSCROLL);
    PlaceIcons(window, style);
    if (shown) Restore(window, *shown);
}

void TShListRows::ChangeStyle(HWND window, TKeshShFileList* shown, DWORD oldStyle, DWORD style) {
    // The list style lays its rows out in columns of its own: the rows are taken away while
    // the style changes and shown again afterwards, with their selection.
    const bool throughList = style == LVS_LIST || oldStyle == LVS_LIST;
    if (throughList) {
        if (shown) Capture(window, *shown);
        ListView_SetItemCountEx(window, 0, 0);
        RepaintNow(window);
    }
    {
        DrawingOff drawingOff(window);
        const LONG old = ::GetWindowLongA(window, GWL_STYLE);
        ::SetWindowLongA(window, GWL_STYLE, static_cast<LONG>((old & ~LVS_TYPEMASK) | style));
        PlaceIcons(window, style);
    }
    if (throughList) {
        Show(window, shown, style);
        RepaintNow(window);
    }
}

void TShListRows::SortBy(HWND window, TKeshShFileList& shown, int column) {
    // Columns past the remembered directions sort ascending only.
    if (column < TKeshShFileList::kDirections) shown.SortDirections[column] = -shown.SortDirections[column];
    HourGlass hourGlass;
    DrawingOff drawingOff(window);
    Capture(window, shown);
    shown.Sort(column);
    Restore(window, shown);
}

void TShListRows::SelectOnly(HWND window, TKeshShFileList& shown, LPCITEMIDLIST relative) {
    for (int i = 0; i < shown.Count(); ++i) {
        if (TKeshShID::CompareIn(shown.Folder(), shown.Row(i)->RelativeID(), relative) != TKeshShID::crEqual) continue;
        ListView_SetItemState(window, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        Select(window, i, true);
        return;
    }
}
