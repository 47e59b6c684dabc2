#pragma once
// A control's side of its change watcher (the tree's or the list's): the thread is made,
// given its folders, started and waited for in the order the watcher asks; stopped and
// freed with the control; and forgotten when it ends by itself after a failure, the control
// then working on without watching.
//
// Suspension is counted: the first Suspend hands the watcher an empty list, keeping the
// folders it watched; the last Resume gives it folders again through the owner's `restore`,
// which also gives the first folders when the watcher is made: on the watcher's own thread,
// where it may touch nothing of the owner's but the watcher. Every call of the owner's waits
// for those first folders before it acts. Folders added or removed while
// suspended change what the last Resume gives back: a folder the list opened meanwhile (a
// deleted folder's parent, say) is watched from then on.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "folderbrowser/TShNotifyThread.h"

class TShWatching {
public:
    // Hands the watcher its folders, given those it watched when watching was suspended
    // (none when it is made).
    using TRestore = std::function<void(TShNotifyThread& watcher, const std::vector<std::string>& saved)>;

    TShWatching(BYTE filter, bool watchSubtree, TShFolderChangedEvent onFolderChanged, TRestore restore);
    ~TShWatching();
    TShWatching(const TShWatching&) = delete;
    TShWatching& operator=(const TShWatching&) = delete;

    // Stops and frees the thread: watching ends for good.
    void Stop();
    // Null once the thread has ended after a failure (reported or not), or has been stopped. Asking for it
    // waits for the first folders, as every other call does.
    TShNotifyThread* Watcher() const;
    // Until the first folders are watched: a reading that follows misses no change in them.
    void WaitForFirstFolders() const;

    void SetFilter(BYTE filter);
    // Adds a folder and waits until it is watched; a folder past what one thread can watch
    // is simply not watched.
    void Watch(const std::string& path);
    void Unwatch(const std::string& path);
    // Watches that folder alone (nothing when it is empty) and waits until it does.
    void WatchOnly(const std::string& path);

    void Suspend();
    void Resume();

private:
    TShNotifyThread* Live() const;

    TShNotifyThread* watcher_ = nullptr;
    TRestore restore_;
    int suspended_ = 0;
    mutable bool started_ = false;
    std::vector<std::string> saved_;
};
