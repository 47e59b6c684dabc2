#pragma once
// The shell's order of a folder's first column, reached cheaply where it can be. Sorting
// by the shell's comparison asks the folder for every pair compared: 10,000 files take
// 50 ms that way. Sorted instead by keys made once for each item, then checked pair by
// neighbouring pair with the shell's comparison, they take 15 ms; when the check finds
// any pair out of order or tied, the shell's comparison sorts them after all.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "folderbrowser/ShellWorker.h"
#include "folderbrowser/TKeshShID.h"

// Folders first, then the name as the system compares text regardless of case: bytes that
// compare in that order. False for an item that is not a file or folder of the file system.
bool NameOrderKey(IShellFolder* folder, LPCITEMIDLIST item, std::string& key);

// Puts the items in the order of their name keys if `precedes` (the shell's comparison,
// ascending) holds strictly for every neighbouring pair in it. Otherwise false, with the
// items as they were, for the caller to sort them by `precedes` itself.
template <class T, class Id>
bool SortByNameKeys(IShellFolder* folder, std::vector<T>& items, Id id,
                    const std::function<bool(LPCITEMIDLIST, LPCITEMIDLIST)>& precedes) {
    std::vector<std::pair<std::string, std::size_t>> keys(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!NameOrderKey(folder, id(items[i]), keys[i].first)) return false;
        keys[i].second = i;
    }
    std::sort(keys.begin(), keys.end());
    for (std::size_t i = 1; i < keys.size(); ++i) {
        if (!precedes(id(items[keys[i - 1].second]), id(items[keys[i].second]))) return false;
    }
    std::vector<T> sorted;
    sorted.reserve(items.size());
    for (const auto& key : keys) sorted.push_back(std::move(items[key.second]));
    items = std::move(sorted);
    return true;
}

// Whether `a` goes before `b` in the shell's order of a column and direction.
bool ShellPrecedes(IShellFolder* folder, int column, int direction, LPCITEMIDLIST a, LPCITEMIDLIST b);

// Items from which a second thread sorts half of them.
constexpr std::size_t kSortSideBySide = 2000;

// Sorts the items in the shell's order of a column and direction, ties kept in their order:
// the first column ascending by the name keys when they give it, otherwise by the folder's
// comparison. Given `folderID` (only on the user-interface thread, which starts workers), a
// big folder's halves are sorted side by side, the second on a worker with the folder bound
// there, then merged. Merge sorts throughout: they stay within the items even if the
// shell's order is not consistent.
template <class T, class Id>
void SortInShellOrder(IShellFolder* folder, std::vector<T>& items, Id id, int column, int direction,
                      LPCITEMIDLIST folderID = nullptr) {
    const auto order = [id, column, direction](IShellFolder* in) {
        return [in, id, column, direction](const T& a, const T& b) {
            return ShellPrecedes(in, column, direction, id(a), id(b));
        };
    };
    if (column == 0 && direction == 1 && SortByNameKeys(folder, items, id, [folder](LPCITEMIDLIST a, LPCITEMIDLIST b) {
            return ShellPrecedes(folder, 0, 1, a, b);
        }))
        return;
    if (!folderID || items.size() < kSortSideBySide) {
        std::stable_sort(items.begin(), items.end(), order(folder));
        return;
    }
    const auto middle = items.begin() + static_cast<std::ptrdiff_t>(items.size() / 2);
    const auto end = items.end();
    // A speed-up only: when the second sorter fails, this thread sorts that half too.
    auto second = ShellWorker::Launch(
        [&] {
            ComPtr<IShellFolder> own = TKeshShID::BindToFolderHere(folderID);
            if (!own) throw std::runtime_error("folder not bound");
            std::stable_sort(middle, end, order(own.get()));
        },
        ShellWorker::Errors::fallBack);
    std::stable_sort(items.begin(), middle, order(folder));
    if (!second || !second->Finish()) std::stable_sort(middle, end, order(folder));
    std::inplace_merge(items.begin(), middle, end, order(folder));
}
