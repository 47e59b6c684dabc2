#pragma once
// Watches a set of folders for changes and reports a changed folder to its owner on the
// user-interface thread once the folder has been quiet for 1500 ms; a folder that vanished
// is reported at once. The owner makes it suspended, sets the completion handler
// (OnTerminate) and the folders (or a start-up that gives them on the thread itself), starts
// it and waits until it is armed (WaitReady); after every later change of the settings it
// waits until it is armed again.
#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "folderbrowser/TShReadyHandshake.h"
#include "folderbrowser/TShThread.h"
#include "toolkit/FilePath.h"

class TShNotifyThread;

// (watcher, changed folder, the watched folders at the time)
using TShFolderChangedEvent = std::function<void(TShNotifyThread& watcher, const std::string& folder,
                                                 const std::vector<std::string>& watchedFolders)>;

class TShNotifyThread : public TShThread {
public:
    // One bit per change kind: file name, directory name, attributes, size, last write,
    // last access, creation, security.
    static constexpr BYTE kFileName = 0x01;
    static constexpr BYTE kDirectoryName = 0x02;
    static constexpr DWORD kQuietPeriod = 1500;
    // Folder handles one wait can hold beside the wake and stop events.
    static constexpr size_t kMostFolders = 62;

    TShNotifyThread(BYTE filter, TShFolderChangedEvent onFolderChanged);
    ~TShNotifyThread() override;

    // Raises EShNotifyError when more than 61 folders are watched already. A folder that
    // does not exist or is present already changes nothing.
    void AddFolder(const std::string& path);
    void RemoveFolder(const std::string& path);
    // Replaces the watched folders by the existing directories of the list (nullptr: none);
    // a list of 62 or more raises EShNotifyError.
    void SetFolders(const std::vector<std::string>* folders);
    // A copy of the watched folders, each with its trailing "\".
    std::vector<std::string> Folders();

    BYTE NotifyFilter();
    void SetNotifyFilter(BYTE filter);
    bool WatchSubtree();
    void SetWatchSubtree(bool value);

    // Runs on the thread before its first arming, which WaitReady waits for too; the owner
    // changes nothing before that. Set before the thread starts.
    void SetStartUp(std::function<void(TShNotifyThread&)> startUp) { startUp_ = std::move(startUp); }

    // Returns once the thread has armed itself for the current settings, or at once while
    // it is inside a report (it re-arms right after it), or once it has ended (also when its
    // end has not been reported yet); before Start, at once.
    void WaitReady();

    void Stop() override;

    // The system's notify filter for a filter byte: bits 0 to 6 stay, bit 7 becomes 0x100.
    static DWORD SystemFilter(BYTE filter);

protected:
    void Execute() override;
    // Whether a folder whose handle fired is still there (called on the thread).
    virtual bool FolderExists(const std::string& folder) { return DirectoryExists(folder); }

private:
    class ChangeHandles;
    void Watch(ChangeHandles& handles);
    void Arm(ChangeHandles& handles);
    // Called under the lock; the report runs without it.
    void Report(std::unique_lock<TRecursiveMutex>& lock, ChangeHandles& handles, const std::string& folder);
    void SettingsChanged();
    size_t Find(const std::string& folder) const;

    std::vector<std::string> watchedFolders_;  // sorted without regard to case
    BYTE notifyFilter_;
    bool watchSubtree_ = true;
    TShReadyHandshake handshake_{EndedEvent()};
    TShFolderChangedEvent onFolderChanged_;
    std::function<void(TShNotifyThread&)> startUp_;
};
