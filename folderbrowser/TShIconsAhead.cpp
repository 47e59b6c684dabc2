#include "folderbrowser/TShIconsAhead.h"

#include <utility>

TShIconsAhead::~TShIconsAhead() = default;

void TShIconsAhead::Add(TKeshShData& item, bool openIcon) {
    items_.push_back(
        {&item, openIcon, item.IconQueryFor(false), openIcon ? item.IconQueryFor(true) : TKeshShData::IconQuery{}});
}

void TShIconsAhead::Start() {
    if (!items_.empty()) worker_ = ShellWorker::Launch([this] { LookUp(); }, ShellWorker::Errors::fallBack);
}

void TShIconsAhead::Finish() {
    if (!worker_ || !worker_->Finish()) return;
    for (Item& item : items_) item.data->KnowIcons(item.closedIndex, item.openIndex);
}

void TShIconsAhead::LookUp() {
    // Most items share their parent: each is bound once, on this thread.
    std::vector<std::pair<LPCITEMIDLIST, ComPtr<IShellFolder>>> parents;
    const auto parentOf = [&](const TKeshShData::IconQuery& query) -> IShellFolder* {
        if (!query.parent) return nullptr;
        for (auto& [id, folder] : parents) {
            if (TKeshShID::Equal(id, query.parent.get())) return folder.get();
        }
        return parents.emplace_back(query.parent.get(), TKeshShID::BindToFolderHere(query.parent.get())).second.get();
    };
    for (Item& item : items_) {
        item.closedIndex = TKeshShData::LookUpIcon(item.closed, parentOf(item.closed));
        if (item.openIcon) item.openIndex = TKeshShData::LookUpIcon(item.open, parentOf(item.open));
    }
}
