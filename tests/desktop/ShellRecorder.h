#pragma once
// Stands between the tray icons and the shell while it lives: every call is recorded (from
// whichever thread makes it) and then passed on to the real shell, or answered by a script.
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "desktop/NotifyIconRecord.h"
#include "tests/support/ScreenSearch.h"

struct ShellCall {
    DWORD action;
    NotifyIconRecord record;
    std::string tip;
    // The colour in the middle of the icon sent, read when the call was made (the picture
    // may be gone by the time the test looks).
    COLORREF centre;
    std::chrono::steady_clock::time_point at;
};

class ShellRecorder {
public:
    // With passOn, the real shell gets each call and its answer is returned.
    explicit ShellRecorder(bool passOn = true);
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    std::vector<ShellCall> Calls() const;
    size_t Count() const;
    void Clear();
    // Answers instead of the shell (it still sees the call when passOn and answer is true).
    void Refuse(DWORD action) { refused_ = action; }
    // While down, as with no notification area, every add and modify is refused.
    void SetShellDown(bool down) { shellDown_ = down; }

private:
    BOOL Record(DWORD action, NotifyIconRecord& record);

    bool passOn_;
    DWORD refused_ = 0xFFFFFFFF;
    std::atomic<bool> shellDown_{false};
    mutable std::mutex mutex_;
    std::vector<ShellCall> calls_;
    ShellNotifyFunction previous_;
};
