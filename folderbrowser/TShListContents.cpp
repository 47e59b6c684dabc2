#include "folderbrowser/TShListContents.h"

#include "folderbrowser/EShNotifyError.h"
#include "toolkit/FilePath.h"

TShListContents::TShListContents(BYTE filter, TShFolderChangedEvent onFolderChanged)
    : watching_(filter, false, std::move(onFolderChanged),
                [this](TShNotifyThread& watcher, const std::vector<std::string>& saved) {
                    RestoreWatching(watcher, saved);
                }) {}

TKeshShFileList* TShListContents::Keep(std::unique_ptr<TKeshShFileList> fresh) {
    TKeshShFileList* kept = cache_.Add(std::move(fresh));
    while (cache_.Count() > TKeshShFileLists::HistoryLimit + 1) {
        std::unique_ptr<TKeshShFileList> dropped = cache_.DropLast();
        watching_.Unwatch(dropped->Path());
    }
    return kept;
}

void TShListContents::WatchShown() {
    if (shown_) watching_.Watch(shown_->Path());
}

void TShListContents::Replace(std::unique_ptr<TKeshShFileList> fresh) {
    shown_ = cache_.Replace(shown_, std::move(fresh));
}

TShListContents::TChange TShListContents::Changed(const std::string& folder, TShIDList& ancestor) {
    if (!shown_) return chNone;
    cache_.KeepOnly(shown_);
    const std::string shownPath = shown_->Path();
    watching_.WatchOnly(shownPath);
    if (!SameFolder(folder, shownPath)) return chNone;
    if (DirectoryExists(shownPath)) return chReread;
    ancestor = TKeshShID::Parent(shown_->FolderID());
    while (TKeshShID::Count(ancestor.get()) > 0) {
        const std::string path = TKeshShID::ToPath(ancestor.get());
        if (!path.empty() && DirectoryExists(path)) break;
        ancestor = TKeshShID::Parent(ancestor.get());
    }
    return chOpenAncestor;
}

void TShListContents::RestoreWatching(TShNotifyThread& watcher, const std::vector<std::string>& saved) {
    try {
        watcher.SetFolders(&saved);
    } catch (const EShNotifyError&) {
        // The watcher takes a 62nd folder one by one but not in a list, and folders of
        // contents the cache has let go of stay watched until a change is reported: they
        // can add up to that. The shown folder stays watched, and only its contents are
        // kept, so nothing kept can change unseen.
        cache_.KeepOnly(shown_);
        std::vector<std::string> shown;
        if (shown_ && !shown_->Path().empty()) shown.push_back(shown_->Path());
        watcher.SetFolders(&shown);
    }
}

void TShListContents::Clear() {
    watching_.Stop();
    shown_ = nullptr;
    cache_.Clear();
}
