#pragma once
// The contents the list has already built, most recently used first, so a folder shown
// again appears at once.
#include <deque>
#include <memory>

#include "folderbrowser/TKeshShFileList.h"

class TKeshShFileLists {
public:
    static constexpr int HistoryLimit = 30;

    int Count() const { return static_cast<int>(lists_.size()); }
    TKeshShFileList* Item(int index) const { return lists_[static_cast<size_t>(index)].get(); }
    // The contents of this folder, moved to the front; null when none are kept.
    TKeshShFileList* Use(LPCITEMIDLIST folderID);
    TKeshShFileList* Add(std::unique_ptr<TKeshShFileList> list);
    // Puts fresh contents in the place of (and at the front instead of) `old`.
    TKeshShFileList* Replace(const TKeshShFileList* old, std::unique_ptr<TKeshShFileList> fresh);
    // Drops the least recently used contents and hands them back (for the caller to stop
    // watching their folder); empty when there is none.
    std::unique_ptr<TKeshShFileList> DropLast();
    // Drops every contents but `keep`.
    void KeepOnly(const TKeshShFileList* keep);
    void Clear() { lists_.clear(); }

private:
    std::deque<std::unique_ptr<TKeshShFileList>> lists_;
};
