#pragma once
// Several items of one folder: the folder's absolute list and each item's relative
// identifier. The context menu, dragging and the drop checks work on such a set.
#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "folderbrowser/TKeshShID.h"

class TKeshShIDList {
public:
    // `folder` (the parent's, held from here on) may be null: it is bound from the
    // parent's list when first asked for.
    explicit TKeshShIDList(LPCITEMIDLIST parentID, IShellFolder* folder = nullptr);
    // The items of a "Shell IDList Array" (the shell's drag and clipboard format): empty
    // when the data holds none.
    static TKeshShIDList FromShellIDArray(const void* array, SIZE_T size);

    void Add(LPCITEMIDLIST relative);

    int Count() const { return static_cast<int>(items_.size()); }
    LPCITEMIDLIST ParentID() const { return parentID_.get(); }
    LPCITEMIDLIST Item(int index) const { return items_[static_cast<size_t>(index)].get(); }
    // The absolute list of an item (parent + item).
    TShIDList AbsoluteItem(int index) const;
    IShellFolder* Folder();

    // The attribute bits that every item has (of those asked for); 0 without items.
    ULONG CommonAttributes(ULONG mask);
    // An interface for all the items together from their folder (context menu, data).
    template <typename T>
    ComPtr<T> UIObject(HWND owner, REFIID iid) {
        ComPtr<T> object;
        std::vector<LPCITEMIDLIST> items = Items();
        if (Folder() && !items.empty())
            Folder()->GetUIObjectOf(owner, static_cast<UINT>(items.size()), items.data(), iid, nullptr,
                                    reinterpret_cast<void**>(object.put()));
        return object;
    }

private:
    std::vector<LPCITEMIDLIST> Items() const;

    TShIDList parentID_;
    ComPtr<IShellFolder> folder_;
    std::vector<TShIDList> items_;
};
