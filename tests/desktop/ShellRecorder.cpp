#include "tests/desktop/ShellRecorder.h"

#include "desktop/TTrayIcon.h"
#include "toolkit/UniqueHandle.h"
#include "toolkit/WindowDC.h"

ShellRecorder::ShellRecorder(bool passOn) : passOn_(passOn) {
    previous_ = TTrayIcon::SetShellNotify([this](DWORD action, NotifyIconRecord& record) {
        return Record(action, record);
    });
}

ShellRecorder::~ShellRecorder() { TTrayIcon::SetShellNotify(std::move(previous_)); }

BOOL ShellRecorder::Record(DWORD action, NotifyIconRecord& record) {
    ShellCall call{action, record, std::string(record.tip), IconCentre(record.icon),
                   std::chrono::steady_clock::now()};
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(call);
    }
    if (action == refused_) return FALSE;
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

HICON MakeSolidIcon(COLORREF colour) {
    WindowDC screen(nullptr);
    UniqueHbitmap image(::CreateCompatibleBitmap(screen.get(), 32, 32));
    UniqueHbitmap mask(::CreateBitmap(32, 32, 1, 1, nullptr));
    {
        UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
        HGDIOBJ old = ::SelectObject(dc.get(), image.get());
        UniqueHbrush brush(::CreateSolidBrush(colour));
        RECT all{0, 0, 32, 32};
        ::FillRect(dc.get(), &all, brush.get());
        ::SelectObject(dc.get(), mask.get());
        ::PatBlt(dc.get(), 0, 0, 32, 32, BLACKNESS);
        ::SelectObject(dc.get(), old);
    }
    ICONINFO info{TRUE, 0, 0, mask.get(), image.get()};
    return ::CreateIconIndirect(&info);
}

COLORREF IconCentre(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return CLR_INVALID;
    UniqueHbitmap colour(info.hbmColor);
    UniqueHbitmap mask(info.hbmMask);
    if (!colour) return CLR_INVALID;
    BITMAP bm{};
    ::GetObjectA(colour.get(), sizeof bm, &bm);
    WindowDC screen(nullptr);
    UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    HGDIOBJ old = ::SelectObject(dc.get(), colour.get());
    COLORREF centre = ::GetPixel(dc.get(), bm.bmWidth / 2, bm.bmHeight / 2);
    ::SelectObject(dc.get(), old);
    return centre;
}
