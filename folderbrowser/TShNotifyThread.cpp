#include "folderbrowser/TShNotifyThread.h"

#include <algorithm>

#include "folderbrowser/EShNotifyError.h"
#include "toolkit/CallbackErrors.h"
#include "toolkit/EOSError.h"
#include "toolkit/FilePath.h"

namespace {
UniqueKernelHandle ManualResetEvent() {
    UniqueKernelHandle event(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ThrowLastErrorIf(!event);
    return event;
}

bool Less(const std::string& a, const std::string& b) {
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
}

bool Same(const std::string& a, const std::string& b) {
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}
}  // namespace

// The change notification handles of one arming, in reverse order of the watched folders.
// Close reports a handle that cannot be closed; the destructor closes quietly.
class TShNotifyThread::ChangeHandles {
public:
    ~ChangeHandles() {
        for (HANDLE h : handles_) ::FindCloseChangeNotification(h);
    }
    void Add(HANDLE h) { handles_.push_back(h); }
    const std::vector<HANDLE>& All() const { return handles_; }
    bool Empty() const { return handles_.empty(); }
    void Close() {
        std::vector<HANDLE> closing;
        closing.swap(handles_);
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
};

TShNotifyThread::TShNotifyThread(BYTE filter, TShFolderChangedEvent onFolderChanged)
    : notifyFilter_(filter),
      readyEvent_(ManualResetEvent()),
      busyEvent_(ManualResetEvent()),
      onFolderChanged_(std::move(onFolderChanged)) {}

TShNotifyThread::~TShNotifyThread() {
    if (Running()) TShNotifyThread::Stop();
}

DWORD TShNotifyThread::SystemFilter(BYTE filter) { return (filter & 0x7F) | ((filter & 0x80) ? 0x100 : 0); }

size_t TShNotifyThread::Find(const std::string& folder) const {
    auto at = std::lower_bound(watchedFolders_.begin(), watchedFolders_.end(), folder, Less);
    if (at != watchedFolders_.end() && Same(*at, folder)) return static_cast<size_t>(at - watchedFolders_.begin());
    return watchedFolders_.size();
}

void TShNotifyThread::SettingsChanged() {
    // A thread inside a report re-arms right after it: waking it would make the owner's
    // WaitReady wait for a thread that waits for the owner.
    if (busy_) return;
    ::ResetEvent(readyEvent_.get());
    Wake();
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
        if (at == fresh.end() || !Same(*at, folder)) fresh.insert(at, folder);
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
    if (!Running()) return;
    const HANDLE events[] = {readyEvent_.get(), busyEvent_.get()};
    ::WaitForMultipleObjects(2, events, FALSE, INFINITE);
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
        handles.Add(h);
    }
}

void TShNotifyThread::Report(ChangeHandles& handles, const std::string& folder) {
    std::vector<std::string> watched;
    TShFolderChangedEvent callback;
    {
        std::lock_guard lock(lock_);
        handles.Close();
        busy_ = true;
        ::SetEvent(busyEvent_.get());
        watched = watchedFolders_;
        callback = onFolderChanged_;
    }
    if (callback) {
        SynchronizeCall([&] {
            // Stop clears the callback on the user-interface thread; a report already on its
            // way must not reach an owner that has let go of the thread.
            std::lock_guard lock(lock_);
            if (onFolderChanged_) onFolderChanged_(*this, folder, watched);
        });
    }
    std::lock_guard lock(lock_);
    busy_ = false;
    ::ResetEvent(busyEvent_.get());
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
            empty = watchedFolders_.empty();
            ::SetEvent(readyEvent_.get());
        }
        if (empty) {
            if (Wait(INFINITE) == wrStopped) return;
            continue;
        }
        int index = 0;
        TWaitResult result = WaitOnHandles(handles.All(), INFINITE, index);
        if (result == wrStopped) return;
        if (result != wrSignalled) continue;  // woken or failed: arm afresh
        std::string changed;
        bool reported = false;
        while (result == wrSignalled) {
            {
                std::unique_lock lock(lock_);
                changed = watchedFolders_[watchedFolders_.size() - 1 - static_cast<size_t>(index)];
                const HANDLE fired = handles.All()[static_cast<size_t>(index)];
                if (!FolderExists(changed) || !::FindNextChangeNotification(fired)) {
                    lock.unlock();
                    Report(handles, changed);
                    reported = true;
                    break;
                }
            }
            result = WaitOnHandles(handles.All(), kQuietPeriod, index);
        }
        if (reported) continue;
        if (result == wrTimeOut) Report(handles, changed);
        if (result == wrStopped) return;
    }
}

void TShNotifyThread::Execute() {
    ChangeHandles handles;
    try {
        Watch(handles);
        handles.Close();
    } catch (...) {
        ReportError(std::current_exception());
    }
    // Nobody may wait for a thread that has ended.
    ::SetEvent(readyEvent_.get());
}
