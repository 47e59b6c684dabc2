#include "folderbrowser/TShContentsReader.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "folderbrowser/HourGlass.h"
#include "folderbrowser/ShellEnumeration.h"
#include "folderbrowser/TKeshShFolderData.h"
#include "folderbrowser/TShReadAhead.h"

std::unique_ptr<TKeshShFileList> TShContentsReader::Read(LPCITEMIDLIST folderID, TWinControl* owner, HWND window,
                                                         TShReadAhead* ahead) const {
    HourGlass hourGlass;
    ComPtr<IShellFolder> folder = TKeshShID::BindToFolder(folderID);
    if (!folder) return nullptr;
    auto list = std::make_unique<TKeshShFileList>(owner, TKeshShID::Copy(folderID), folder);
    const SHCONTF flags = Flags();
    // Only the Desktop and the folders of its first level hold virtual items.
    TShVirtuaItem parentKind = itFolder;
    if (TKeshShID::Count(folderID) <= 1) parentKind = TKeshShFolderData(TKeshShID::Copy(folderID)).ItemKind();
    const bool filtered = FiltersVirtualChildren(parentKind);
    TKeshShFileList& rows = *list;
    const auto add = [&](TShIDList relative) {
        auto row = std::make_unique<TKeshShFileData>(rows, std::move(relative));
        if (filtered && !KeepsVirtualChild(parentKind, *row, shown)) return;
        if (!accept || accept(*row)) rows.Add(std::move(row));
    };
    // The Desktop's path is that of its directory, whose children are not the Desktop's.
    std::vector<TShIDList> children;
    if (ahead && TKeshShID::Count(folderID) > 0 && ahead->Take(list->Path(), flags, children)) {
        for (TShIDList& relative : children) add(std::move(relative));
        list->SetAddedInOrder();
        return list;
    }
    if (!EnumerateChildren(folder.get(), window, flags, add)) return nullptr;
    return list;
}

SHCONTF TShContentsReader::Flags() const {
    SHCONTF flags = 0;
    if (contents & scFolders) flags |= SHCONTF_FOLDERS;
    if (contents & scFiles) flags |= SHCONTF_NONFOLDERS;
    if (contents & scHidden) flags |= SHCONTF_INCLUDEHIDDEN;
    return flags;
}

void TShContentsReader::Sort(TKeshShFileList& list) {
    if (list.Path().empty() && list.SortColumn == 4) return;
    HourGlass hourGlass;
    list.Sort(list.SortColumn);
}

void TShContentsReader::TakeOver(const TKeshShFileList& old, TKeshShFileList& fresh) {
    // The few rows that were selected or focused, each looked for among the fresh ones.
    std::vector<const TKeshShFileData*> marked;
    for (int j = 0; j < old.Count(); ++j) {
        const TKeshShFileData* row = old.Row(j);
        if (row->Selected() || row == old.Focused) marked.push_back(row);
    }
    for (int i = 0; i < fresh.Count() && !marked.empty(); ++i) {
        TKeshShFileData* row = fresh.Row(i);
        for (const TKeshShFileData* before : marked) {
            if (!TKeshShID::Equal(before->RelativeID(), row->RelativeID())) continue;
            row->SetSelected(before->Selected());
            if (before == old.Focused) fresh.Focused = row;
        }
    }
    fresh.SortColumn = old.SortColumn;
    std::copy(std::begin(old.SortDirections), std::end(old.SortDirections), fresh.SortDirections);
    Sort(fresh);
}
