#include "folderbrowser/TShWatching.h"

#include <algorithm>
#include <utility>

#include "folderbrowser/EShNotifyError.h"
#include "toolkit/FilePath.h"

TShWatching::TShWatching(BYTE filter, bool watchSubtree, TShFolderChangedEvent onFolderChanged, TRestore restore)
    : restore_(std::move(restore)) {
    watcher_ = new TShNotifyThread(filter, std::move(onFolderChanged));
    watcher_->SetWatchSubtree(watchSubtree);
    watcher_->OnTerminate = [this](TObject&) { watcher_ = nullptr; };
    // Found and armed while the owner goes on (the tree asks each drive's type, milliseconds
    // under Wine): the owner's next call waits for them.
    watcher_->SetStartUp([restore = restore_](TShNotifyThread& watcher) { restore(watcher, {}); });
    watcher_->Start();
}

TShNotifyThread* TShWatching::Watcher() const {
    WaitForFirstFolders();
    return Live();
}

TShNotifyThread* TShWatching::Live() const {
    // Ended after a failure, its end not reported yet: already as good as gone.
    return watcher_ && !watcher_->HasEnded() ? watcher_ : nullptr;
}

void TShWatching::WaitForFirstFolders() const {
    if (started_ || !watcher_) return;
    started_ = true;
    watcher_->WaitReady();
}

TShWatching::~TShWatching() { Stop(); }

void TShWatching::Stop() {
    if (!watcher_) return;
    watcher_->OnTerminate = nullptr;
    watcher_->Stop();
    delete std::exchange(watcher_, nullptr);
}

void TShWatching::SetFilter(BYTE filter) {
    WaitForFirstFolders();
    if (!Live()) return;
    watcher_->SetNotifyFilter(filter);
    watcher_->WaitReady();
}

void TShWatching::Watch(const std::string& path) {
    WaitForFirstFolders();
    if (!Live() || path.empty()) return;
    if (suspended_ > 0) {
        // Watched from the resumption on; the restore drops duplicates and folders gone.
        saved_.push_back(path);
        return;
    }
    try {
        watcher_->AddFolder(path);
        watcher_->WaitReady();
    } catch (const EShNotifyError&) {
        // Too many folders watched: this one is simply not watched.
    }
}

void TShWatching::Unwatch(const std::string& path) {
    WaitForFirstFolders();
    if (!Live() || path.empty()) return;
    if (suspended_ == 0) {
        watcher_->RemoveFolder(path);
        return;
    }
    std::erase_if(saved_, [&](const std::string& kept) { return SameFolder(kept, path); });
}

void TShWatching::WatchOnly(const std::string& path) {
    WaitForFirstFolders();
    if (!Live()) return;
    std::vector<std::string> only;
    if (!path.empty()) only.push_back(path);
    if (suspended_ > 0) {
        saved_ = std::move(only);
        return;
    }
    watcher_->SetFolders(&only);
    watcher_->WaitReady();
}

void TShWatching::Suspend() {
    WaitForFirstFolders();
    if (suspended_++ > 0 || !Live()) return;
    saved_ = watcher_->Folders();
    watcher_->SetFolders(nullptr);
    watcher_->WaitReady();
}

void TShWatching::Resume() {
    WaitForFirstFolders();
    if (suspended_ == 0 || --suspended_ > 0 || !Live()) return;
    restore_(*watcher_, saved_);
    saved_.clear();
    watcher_->WaitReady();
}
