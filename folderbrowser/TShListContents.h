#pragma once
// The contents the list keeps, without a window: the shown contents and those of folders
// shown before (the most recently used first, HistoryLimit of them besides the shown ones),
// so that a folder shown again appears at once; and the list's watcher, which watches their
// folders. A change reported in any of them leaves only the shown contents kept and watched,
// since nothing else kept can be trusted any more.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "folderbrowser/TKeshShFileLists.h"
#include "folderbrowser/TShWatching.h"

class TShListContents {
public:
    // What the list does about a change reported in a watched folder.
    enum TChange { chNone, chReread, chOpenAncestor };

    // The watcher reports its changes to `onFolderChanged`.
    TShListContents(BYTE filter, TShFolderChangedEvent onFolderChanged);

    TKeshShFileList* Shown() const { return shown_; }
    const TKeshShFileLists& Cache() const { return cache_; }
    TShWatching& Watching() { return watching_; }
    TShNotifyThread* Watcher() const { return watching_.Watcher(); }

    // The kept contents of a folder, moved to the front; null when none are kept.
    TKeshShFileList* Kept(LPCITEMIDLIST folderID) { return cache_.Use(folderID); }
    // Keeps fresh contents at the front; those used least recently beyond the limit go, and
    // their folders are no longer watched.
    TKeshShFileList* Keep(std::unique_ptr<TKeshShFileList> fresh);
    // Kept contents are shown from now on.
    void Show(TKeshShFileList* list) { shown_ = list; }
    // Watches the shown contents' folder (when it has a path).
    void WatchShown();
    // The shown contents read again take their place.
    void Replace(std::unique_ptr<TKeshShFileList> fresh);
    void KeepOnlyShown() { cache_.KeepOnly(shown_); }
    // A change reported in a watched folder: only the shown contents stay kept and watched.
    // The shown folder changed: it is to be read again; it is gone: its nearest ancestor
    // that is still a directory (the Desktop at last) is to be opened.
    TChange Changed(const std::string& folder, TShIDList& ancestor);

    // Stops the watcher, then lets every contents go.
    void Clear();

private:
    void RestoreWatching(TShNotifyThread& watcher, const std::vector<std::string>& saved);

    TKeshShFileLists cache_;
    TKeshShFileList* shown_ = nullptr;
    // Last: it stops before the contents it reports on go.
    TShWatching watching_;
};
