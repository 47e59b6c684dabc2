#include "folderbrowser/TShListRows.h"

#include <string>

#include "folderbrowser/TKeshShFileList.h"
#include "folderbrowser/TShIconsAhead.h"

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
