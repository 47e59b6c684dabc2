#include "folderbrowser/TShListColumns.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "folderbrowser/TKeshShFileList.h"

void TShListColumns::Build(HWND window, TKeshShFileList& shown) {
    shown.BuildColumns();
    HWND header = ListView_GetHeader(window);
    if (header) ::SendMessageA(header, WM_SETREDRAW, FALSE, 0);
    while (ListView_DeleteColumn(window, 0)) {
    }
    RECT client;
    ::GetClientRect(window, &client);
    static const int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
    int index = 0;
    for (const TShColumnName& name : shown.ColumnNames()) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = formats[std::clamp(name.alignment, 0, 2)];
        column.cx = client.right / 4;
        column.pszText = const_cast<char*>(name.caption.c_str());
        column.iSubItem = index;
        ListView_InsertColumn(window, index, &column);
        ++index;
    }
    if (header) ::SendMessageA(header, WM_SETREDRAW, TRUE, 0);
}

void TShListColumns::Save(HWND window, TKeshShFileList& shown) {
    TKeshShColumnState state;
    state.sortColumn = shown.SortColumn;
    const int count = static_cast<int>(shown.ColumnNames().size());
    std::vector<int> order(static_cast<size_t>(count));
    if (count) ListView_GetColumnOrderArray(window, count, order.data());
    for (int i = 0; i < count; ++i) {
        TKeshShColumnInfo info;
        info.position = order[static_cast<size_t>(i)];
        info.direction = i < TKeshShFileList::kDirections ? shown.SortDirections[i] : 1;
        info.width = ListView_GetColumnWidth(window, i);
        state.columns.push_back(info);
    }
    remembered_.Remember(shown.Key(), std::move(state));
}

void TShListColumns::Apply(HWND window, TKeshShFileList& shown) const {
    const TKeshShColumnState* state = remembered_.Find(shown.Key());
    if (!state || state->columns.size() != shown.ColumnNames().size()) return;
    std::vector<int> order;
    for (size_t i = 0; i < state->columns.size(); ++i) {
        ListView_SetColumnWidth(window, static_cast<int>(i), state->columns[i].width);
        order.push_back(state->columns[i].position);
    }
    ListView_SetColumnOrderArray(window, static_cast<int>(order.size()), order.data());
}

void TShListColumns::Restore(TKeshShFileList& fresh) const {
    const TKeshShColumnState* state = remembered_.Find(fresh.Key());
    if (!state) return;
    fresh.SortColumn = state->sortColumn;
    for (size_t i = 0; i < state->columns.size() && i < TKeshShFileList::kDirections; ++i)
        fresh.SortDirections[i] = state->columns[i].direction;
}
