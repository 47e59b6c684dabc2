#include "folderbrowser/TKeshShFileLists.h"

#include <algorithm>

TKeshShFileList* TKeshShFileLists::Use(LPCITEMIDLIST folderID) {
    auto found = std::find_if(lists_.begin(), lists_.end(),
                              [&](const auto& list) { return TKeshShID::Equal(list->FolderID(), folderID); });
    if (found == lists_.end()) return nullptr;
    std::unique_ptr<TKeshShFileList> list = std::move(*found);
    lists_.erase(found);
    lists_.push_front(std::move(list));
    return lists_.front().get();
}

TKeshShFileList* TKeshShFileLists::Add(std::unique_ptr<TKeshShFileList> list) {
    lists_.push_front(std::move(list));
    return lists_.front().get();
}

std::unique_ptr<TKeshShFileList> TKeshShFileLists::DropLast() {
    if (lists_.empty()) return nullptr;
    std::unique_ptr<TKeshShFileList> last = std::move(lists_.back());
    lists_.pop_back();
    return last;
}

void TKeshShFileLists::KeepOnly(const TKeshShFileList* keep) {
    lists_.erase(std::remove_if(lists_.begin(), lists_.end(), [&](const auto& list) { return list.get() != keep; }),
                 lists_.end());
}

TKeshShFileList* TKeshShFileLists::Replace(const TKeshShFileList* old, std::unique_ptr<TKeshShFileList> fresh) {
    lists_.erase(std::remove_if(lists_.begin(), lists_.end(), [&](const auto& list) { return list.get() == old; }),
                 lists_.end());
    return Add(std::move(fresh));
}
