#include "tests/desktop/ShellRecorder.h"

#include "desktop/TTrayIcon.h"

ShellRecorder::ShellRecorder(bool passOn) : passOn_(passOn) {
    previous_ =
        TTrayIcon::SetShellNotify([this](DWORD action, NotifyIconRecord& record) { return Record(action, record); });
}

ShellRecorder::~ShellRecorder() { TTrayIcon::SetShellNotify(std::move(previous_)); }

BOOL ShellRecorder::Record(DWORD action, NotifyIconRecord& record) {
    ShellCall call{action, record, std::string(record.tip), IconCentre(record.icon), std::chrono::steady_clock::now()};
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(call);
    }
    if (action == refused_ || (shellDown_ && action != NIM_DELETE)) return FALSE;
    return passOn_ ? SystemShellNotify(action, record) : TRUE;
}

std::vector<ShellCall> ShellRecorder::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

size_t ShellRecorder::Count() const {
    std::lock_guard lock(mutex_);
    return calls_.size();
}

void ShellRecorder::Clear() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}
