#include "folderbrowser/TShNotifyThread.h"

#include <algorithm>

#include "folderbrowser/EShNotifyError.h"
#include "toolkit/CallbackErrors.h"
#include "toolkit/EOSError.h"
#include "toolkit/FilePath.h"

namespace {
bool Less(const std::string& a, const std::string& b) { return CompareFolders(a, b) < 0; }
}  // namespace

// The change notification handles of one arming, in reverse order of the watched folders,
// each with the folder it watches: the owner may change the watched folders at any time, so
// the thread never looks a fired handle's folder up anywhere else.
// Close reports a handle that cannot be closed; the destructor closes quietly.
class TShNotifyThread::ChangeHandles {
public:
    ~ChangeHandles() {
        for (HANDLE h : handles_) ::FindCloseChangeNotification(h);
    }
    void Add(HANDLE h, const std::string& folder) {
        handles_.push_back(h);
        folders_.push_back(folder);
    }
    const std::vector<HANDLE>& All() const { return handles_; }
    const std::string& Folder(int index) const { return folders_[static_cast<size_t>(index)]; }
    bool Empty() const { return handles_.empty(); }
    void Close() {
        std::vector<HANDLE> closing;
        closing.swap(handles_);
        folders_.clear();
        bool failed = false;
        DWORD error = 0;
        for (HANDLE h : closing) {
            if (!::FindCloseChangeNotification(h) && !failed) {
                failed = true;
                error = ::GetLastError();
            }
        }
        if (failed) throw EOSError(error);
    }

private:
    std::vector<HANDLE> handles_;
    std::vector<std::string> folders_;
};

TShNotifyThread::TShNotifyThread(BYTE filter, TShFolderChangedEvent onFolderChanged)
    : notifyFilter_(filter), onFolderChanged_(std::move(onFolderChanged)) {}

TShNotifyThread::~TShNotifyThread() { TShNotifyThread::Stop(); }

DWORD TShNotifyThread::SystemFilter(BYTE filter) { return (filter & 0x7F) | ((filter & 0x80) ? 0x100 : 0); }

size_t TShNotifyThread::Find(const std::string& folder) const {
    auto at = std::lower_bound(watchedFolders_.begin(), watchedFolders_.end(), folder, Less);
    if (at != watchedFolders_.end() && SameFolder(*at, folder))
        return static_cast<size_t>(at - watchedFolders_.begin());
    return watchedFolders_.size();
}

void TShNotifyThread::SettingsChanged() {
    // Nothing the old handles report goes out; the thread arms afresh.
    if (handshake_.Changed()) Wake();
}

void TShNotifyThread::AddFolder(const std::string& path) {
    std::lock_guard lock(lock_);
    if (watchedFolders_.size() > kMostFolders - 1) throw EShNotifyError();
    const std::string folder = IncludeTrailingPathDelimiter(path);
    if (folder.empty() || !DirectoryExists(folder) || Find(folder) != watchedFolders_.size()) return;
    watchedFolders_.insert(std::lower_bound(watchedFolders_.begin(), watchedFolders_.end(), folder, Less), folder);
    SettingsChanged();
}

void TShNotifyThread::RemoveFolder(const std::string& path) {
    std::lock_guard lock(lock_);
    const size_t at = Find(IncludeTrailingPathDelimiter(path));
    if (at == watchedFolders_.size()) return;
    watchedFolders_.erase(watchedFolders_.begin() + static_cast<std::ptrdiff_t>(at));
    SettingsChanged();
}

void TShNotifyThread::SetFolders(const std::vector<std::string>* folders) {
    std::lock_guard lock(lock_);
    if (!folders) {
        watchedFolders_.clear();
        SettingsChanged();
        return;
    }
    if (folders->size() >= kMostFolders) throw EShNotifyError();
    std::vector<std::string> fresh;
    for (const std::string& path : *folders) {
        const std::string folder = IncludeTrailingPathDelimiter(path);
        if (folder.empty() || !DirectoryExists(folder)) continue;
        auto at = std::lower_bound(fresh.begin(), fresh.end(), folder, Less);
        if (at == fresh.end() || !SameFolder(*at, folder)) fresh.insert(at, folder);
    }
    if (fresh == watchedFolders_) return;
    watchedFolders_ = std::move(fresh);
    SettingsChanged();
}

std::vector<std::string> TShNotifyThread::Folders() {
    std::lock_guard lock(lock_);
    return watchedFolders_;
}

BYTE TShNotifyThread::NotifyFilter() {
    std::lock_guard lock(lock_);
    return notifyFilter_;
}

void TShNotifyThread::SetNotifyFilter(BYTE filter) {
    std::lock_guard lock(lock_);
    if (filter == notifyFilter_) return;
    notifyFilter_ = filter;
    SettingsChanged();
}

bool TShNotifyThread::WatchSubtree() {
    std::lock_guard lock(lock_);
    return watchSubtree_;
}

void TShNotifyThread::SetWatchSubtree(bool value) {
    std::lock_guard lock(lock_);
    if (value == watchSubtree_) return;
    watchSubtree_ = value;
    SettingsChanged();
}

void TShNotifyThread::WaitReady() {
    if (Started()) handshake_.WaitReady();
}

void TShNotifyThread::Stop() {
    {
        std::lock_guard lock(lock_);
        onFolderChanged_ = nullptr;
    }
    TShThread::Stop();
}

void TShNotifyThread::Arm(ChangeHandles& handles) {
    const DWORD filter = SystemFilter(notifyFilter_);
    for (size_t i = watchedFolders_.size(); i-- > 0;) {
        HANDLE h = ::FindFirstChangeNotificationA(watchedFolders_[i].c_str(), watchSubtree_, filter);
        if (h == INVALID_HANDLE_VALUE) {
            // Gone or not watchable: dropped without a report.
            watchedFolders_.erase(watchedFolders_.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        handles.Add(h, watchedFolders_[i]);
    }
}

void TShNotifyThread::Report(std::unique_lock<TRecursiveMutex>& lock, ChangeHandles& handles,
                             const std::string& folder) {
    // Decided under the lock with the armed set current, so the folder is among the watched
    // ones handed over; from here on the thread is reporting, and a settings change waits
    // for the arming right after the report.
    handles.Close();
    handshake_.ReportBegins();
    const std::vector<std::string> watched = watchedFolders_;
    const TShFolderChangedEvent callback = onFolderChanged_;
    lock.unlock();
    if (callback) {
        SynchronizeCall([&] {
            // Stop clears the callback on the user-interface thread; a report already on its
            // way must not reach an owner that has let go of the thread.
            std::lock_guard relock(lock_);
            if (onFolderChanged_) onFolderChanged_(*this, folder, watched);
        });
    }
    lock.lock();
    handshake_.ReportEnds();
}

void TShNotifyThread::Watch(ChangeHandles& handles) {
    while (!Terminated()) {
        bool empty;
        {
            std::lock_guard lock(lock_);
            // The arming reads the settings as they are now: a wake that asked for them is
            // answered by it.
            ResetWake();
            handles.Close();
            Arm(handles);
            empty = handles.Empty();
            handshake_.Armed();
        }
        if (empty) {
            if (Wait(INFINITE) == wrStopped) return;
            continue;
        }
        int index = 0;
        TWaitResult result = WaitOnHandles(handles.All(), INFINITE, index);
        std::string changed;
        while (result == wrSignalled) {
            std::unique_lock lock(lock_);
            // Settings changed since the arming: start over (their wake may still be due).
            if (!handshake_.Current()) break;
            changed = handles.Folder(index);
            if (!FolderExists(changed) || !::FindNextChangeNotification(handles.All()[index])) {
                // Gone: reported at once.
                Report(lock, handles, changed);
                break;
            }
            lock.unlock();
            result = WaitOnHandles(handles.All(), kQuietPeriod, index);
        }
        if (result == wrStopped) return;
        if (result == wrTimeOut) {
            std::unique_lock lock(lock_);
            // Quiet for the whole period: reported, unless the settings changed meanwhile.
            if (handshake_.Current()) Report(lock, handles, changed);
        }
        // Anything else (woken, failed, changed settings, reported) starts over.
    }
}

void TShNotifyThread::Execute() {
    ChangeHandles handles;
    try {
        if (startUp_) {
            std::lock_guard lock(lock_);
            startUp_(*this);
        }
        Watch(handles);
        handles.Close();
    } catch (...) {
        ReportError(std::current_exception());
    }
    // Nobody waits for a thread that has ended: WaitReady sees its end.
}
