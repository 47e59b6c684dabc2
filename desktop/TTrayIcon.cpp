#include "desktop/TTrayIcon.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "desktop/TCallbackWindow.h"
#include "desktop/TSingleClick.h"
#include "desktop/TTrayIconAnimate.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"

namespace {
const char kCannotRegister[] = "タスクトレイにアイコンを登録できません。";

struct RegisterEntry {
    int number;
    TTrayIcon* icon;
};
// Live icons in order of creation, so the last entry holds the largest number in use.
std::vector<RegisterEntry> iconRegister;
TCallbackWindow* callbackWindow = nullptr;
ShellNotifyFunction shellNotify;

BOOL CallShell(DWORD action, NotifyIconRecord& record) {
    return shellNotify ? shellNotify(action, record) : SystemShellNotify(action, record);
}

TTrayIcon* Find(int number) {
    for (const RegisterEntry& entry : iconRegister) {
        if (entry.number == number) return entry.icon;
    }
    return nullptr;
}
}  // namespace

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner) {
    if (iconRegister.size() >= kMaxIcons) throw ENotifyIconError(kCannotRegister);
    number_ = iconRegister.empty() ? 1 : iconRegister.back().number + 1;
    if (!callbackWindow) callbackWindow = MakeCallbackWindow();
    iconRegister.push_back({number_, this});

    icon_.OnChange = [this](TObject&) { UpdateIcon(); };
    record_.callbackMessage = TCallbackWindow::kNotifyMessage;
    record_.id = static_cast<UINT>(number_);
}

TTrayIcon::~TTrayIcon() {
    *alive_ = false;
    if (animator_) {
        animator_.reset();
        animating_ = false;
    }
    if (registered_) Notify(Action::Delete);
    StopWaiting();
    icon_.OnChange = nullptr;
    iconRegister.erase(std::remove_if(iconRegister.begin(), iconRegister.end(),
                                      [this](const RegisterEntry& entry) { return entry.icon == this; }),
                       iconRegister.end());
    callbackWindow->Forget(number_);
    if (iconRegister.empty()) {
        if (callbackWindow->Busy()) {
            // The last icon went from inside one of the window's handlers; the window stays
            // for the next icon (or the end of the run), its waiting clicks do not.
            callbackWindow->DropSingleClicks();
        } else {
            delete callbackWindow;
            callbackWindow = nullptr;
        }
    }
}

TCallbackWindow* TTrayIcon::CallbackWindow() { return callbackWindow; }

DWORD TTrayIcon::ClickDelay() { return TSingleClick::Wait(); }

TCallbackWindow* TTrayIcon::MakeCallbackWindow() {
    return new TCallbackWindow({
        [](int number, UINT mouseMessage) {
            TTrayIcon* icon = Find(number);
            if (icon) icon->MouseNotification(mouseMessage);
            return icon != nullptr;
        },
        [] { ShellRestarted(); },
        [](int number) {
            if (TTrayIcon* icon = Find(number)) icon->SingleClickTimeUp();
        },
        [](int number) {
            if (TTrayIcon* icon = Find(number)) icon->RetryAdd();
        },
    });
}

void TTrayIcon::ShellRestarted() {
    // Every icon is offered to the new notification area; one it refuses waits for it.
    std::vector<TTrayIcon*> icons;
    for (const RegisterEntry& entry : iconRegister) icons.push_back(entry.icon);
    for (TTrayIcon* icon : icons) icon->Readd();
}

ShellNotifyFunction TTrayIcon::SetShellNotify(ShellNotifyFunction function) {
    return std::exchange(shellNotify, std::move(function));
}

void TTrayIcon::ReadState(const std::function<void()>& readProperties) {
    // A batch set-up starts from an empty tip, not from the constructor's placeholder: an
    // owner that wants no tip simply sets none.
    if (!tipDefaultCleared_) {
        tipDefaultCleared_ = true;
        std::lock_guard lock(shellMutex_);
        tipHelp_.clear();
    }
    TComponent::ReadState(readProperties);
}

void TTrayIcon::Loaded() {
    tipDefaultCleared_ = false;
    TComponent::Loaded();
    // Nobody could take a refusal here: the owner is still being made.
    AddOrWait();
}

void TTrayIcon::Notification(TComponent& component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (&component == lbPopupMenu_) lbPopupMenu_ = nullptr;
    if (&component == rbPopupMenu_) rbPopupMenu_ = nullptr;
    // A running animation keeps its own copies of the pictures.
    if (&component == animateIcons_) animateIcons_ = nullptr;
}

HICON TTrayIcon::IconChoice() const {
    if (HICON icon = icon_.Handle()) return icon;
    if (auto* form = dynamic_cast<TForm*>(Owner()); form && form->HandleAllocated()) {
        if (auto icon = reinterpret_cast<HICON>(::SendMessageA(form->Handle(), WM_GETICON, ICON_BIG, 0))) return icon;
    }
    return TApplication::Exists() ? TApplication::Instance().Icon() : nullptr;
}

void TTrayIcon::FillRecord(HICON icon) {
    record_.icon = icon;
    std::memset(record_.tip, 0, sizeof record_.tip);
    std::memcpy(record_.tip, tipHelp_.data(), std::min(tipHelp_.size(), sizeof record_.tip - 1));
    record_.flags = tipHelp_.empty() ? (NIF_MESSAGE | NIF_ICON) : (NIF_MESSAGE | NIF_ICON | NIF_TIP);
}

void TTrayIcon::Notify(Action action) {
    if (action == Action::Add) {
        if (visible_ && !TryAdd(false)) throw ENotifyIconError(kCannotRegister);
        return;
    }
    std::unique_lock lock(shellMutex_);
    FillRecord(animating_ && frameIcon_ ? frameIcon_ : IconChoice());
    if (action == Action::Modify) {
        if (!CallShell(NIM_MODIFY, record_)) throw ENotifyIconError(kCannotRegister);
    } else {
        CallShell(NIM_DELETE, record_);
        registered_ = false;
    }
}

bool TTrayIcon::TryAdd(bool mayBeThere) {
    std::lock_guard lock(shellMutex_);
    FillRecord(animating_ && frameIcon_ ? frameIcon_ : IconChoice());
    record_.window = callbackWindow->Handle();
    registered_ = CallShell(NIM_ADD, record_) || (mayBeThere && CallShell(NIM_MODIFY, record_));
    return registered_;
}

void TTrayIcon::AddOrWait() {
    if (!visible_) return;
    if (TryAdd(WaitingForShell())) {
        StopWaiting();
        return;
    }
    if (WaitingForShell()) return;
    waitingSince_ = ::GetTickCount();
    refusalTold_ = false;
    callbackWindow->StartRetries(number_, retryInterval_);
}

void TTrayIcon::RetryAdd() {
    // A retry already posted when the wait ended still arrives (KillTimer leaves it in the
    // queue), and may reach a later icon that took the number: an add then would be refused.
    if (registered_ || !visible_) {
        StopWaiting();
        return;
    }
    AddOrWait();
    if (!WaitingForShell() || refusalTold_ || ::GetTickCount() - *waitingSince_ < waitLimit_) return;
    // Once per wait; the icon is still offered after it.
    refusalTold_ = true;
    Raise(OnAddRefused, *this);
}

void TTrayIcon::StopWaiting() {
    if (!WaitingForShell()) return;
    waitingSince_.reset();
    callbackWindow->StopRetries(number_);
}

void TTrayIcon::UpdateIcon() {
    // During a continuous animation the thread carries the tip along with each picture.
    if (registered_ && (!animating_ || singleFrame_)) Notify(Action::Modify);
}

TFrameSink TTrayIcon::FrameSink() {
    return {[this](HICON picture) { ShowFrame(picture); }, [this] { return animateRate_.load(); }};
}

void TTrayIcon::ShowFrame(HICON picture) {
    std::lock_guard lock(shellMutex_);
    frameIcon_ = picture;
    if (!registered_) return;
    FillRecord(picture);
    // Nobody could be told of a refusal here; the next picture tries again.
    CallShell(NIM_MODIFY, record_);
}

void TTrayIcon::Readd() {
    if (!visible_) return;
    {
        // The old notification area took the icon with it.
        std::lock_guard lock(shellMutex_);
        registered_ = false;
    }
    AddOrWait();
}

void TTrayIcon::SetAnimateIcons(TImageList* list) {
    if (list == animateIcons_ || animating_) return;
    animateIcons_ = list;
    if (list) list->FreeNotification(this);
}

void TTrayIcon::SetAnimateRate(int milliseconds) {
    if (milliseconds == animateRate_) return;
    animateRate_ = std::max(milliseconds, 100);
}

void TTrayIcon::SetRetryInterval(unsigned milliseconds) {
    if (milliseconds == retryInterval_) return;
    retryInterval_ = milliseconds;
    if (WaitingForShell()) callbackWindow->StartRetries(number_, retryInterval_);
}

void TTrayIcon::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    if (!value) clickPending_ = false;
}

void TTrayIcon::SetIcon(const TIcon* icon) {
    if (icon == &icon_) return;
    if (icon) {
        icon_.Assign(*icon);
    } else {
        icon_.SetHandle(nullptr);
    }
}

void TTrayIcon::SetLBPopupMenu(TPopupMenu* menu) {
    if (menu == lbPopupMenu_) return;
    lbPopupMenu_ = menu;
    if (menu) menu->FreeNotification(this);
}

void TTrayIcon::SetRBPopupMenu(TPopupMenu* menu) {
    if (menu == rbPopupMenu_) return;
    rbPopupMenu_ = menu;
    if (menu) menu->FreeNotification(this);
}

void TTrayIcon::SetTipHelp(const std::string& tip) {
    std::string cut = tip.substr(0, kMaxTipBytes);
    if (cut == tipHelp_) return;
    {
        std::lock_guard lock(shellMutex_);
        tipHelp_ = std::move(cut);
    }
    UpdateIcon();
}

void TTrayIcon::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value && IconChoice() != nullptr;
    if (Loading()) return;
    if (visible_) {
        try {
            Notify(Action::Add);
        } catch (...) {
            // Not in the notification area, so not visible: a later attempt is not ignored.
            visible_ = false;
            throw;
        }
    } else {
        StopWaiting();
        if (registered_) Notify(Action::Delete);
    }
}

void TTrayIcon::StartAnimation(bool singleFrame) {
    if (animating_ || !animateIcons_ || animateIcons_->Count() == 0) return;
    std::vector<UniqueHicon> pictures;
    for (int i = 0; i < animateIcons_->Count(); ++i) pictures.push_back(animateIcons_->GetIcon(i));
    {
        // Until the first picture arrives the static icon stands in for it.
        std::lock_guard lock(shellMutex_);
        frameIcon_ = nullptr;
    }
    animating_ = true;
    singleFrame_ = singleFrame;
    // A thread that failed (its error has gone to the error box, its end may not have been
    // reported yet) gives way to a new one.
    if (!animator_ || !animator_->Begin(pictures, singleFrame)) {
        animator_ = std::make_unique<TTrayIconAnimate>(FrameSink());
        animator_->Begin(pictures, singleFrame);
    }
}

void TTrayIcon::StopAnimation() {
    if (!animating_) return;
    animating_ = false;
    animator_->Halt();
    {
        std::lock_guard lock(shellMutex_);
        frameIcon_ = nullptr;
    }
    UpdateIcon();
}

void TTrayIcon::PopupAtCursor(TPopupMenu& menu, int x, int y) {
    const HWND before = ::GetForegroundWindow();
    // The menu closes properly only when its owner is the foreground window.
    if (auto* form = dynamic_cast<TForm*>(Owner())) {
        ::SetForegroundWindow(form->Handle());
        PumpMessages();
    }
    const std::shared_ptr<bool> alive = alive_;
    menu.Popup(x, y);
    if (*alive) Raise(OnPopupClosed, *this, before);
}

void TTrayIcon::PressOrPopup(TPopupMenu* menu, TMouseButton button, TShiftState shift, POINT at) {
    if (menu && AutoPopup) {
        PopupAtCursor(*menu, at.x, at.y);
    } else {
        Raise(OnMouseDown, *this, button, shift, at.x, at.y);
    }
}

void TTrayIcon::MouseNotification(UINT mouseMessage) {
    if (!enabled_) return;
    POINT p{};
    ::GetCursorPos(&p);
    switch (mouseMessage) {
        case WM_MOUSEMOVE:
            Raise(OnMouseMove, *this, TShiftState{0}, p.x, p.y);
            break;
        case WM_LBUTTONDOWN:
            PressOrPopup(lbPopupMenu_, TMouseButton::mbLeft, TShiftState{ssLeft}, p);
            break;
        case WM_LBUTTONUP:
            if (OnMouseUp) {
                OnMouseUp(*this, TMouseButton::mbLeft, TShiftState{ssLeft}, p.x, p.y);
            } else if (!OnClick || clickPending_) {
                // The second release of a double click (or of two quick clicks) ends the
                // wait without a click.
                clickPending_ = false;
            } else {
                clickPending_ = true;
                callbackWindow->StartSingleClick();
            }
            break;
        case WM_LBUTTONDBLCLK:
            clickPending_ = true;
            Raise(OnDblClick, *this);
            break;
        case WM_RBUTTONDOWN:
            PressOrPopup(rbPopupMenu_, TMouseButton::mbRight, TShiftState{ssRight}, p);
            break;
        case WM_RBUTTONUP:
            Raise(OnMouseUp, *this, TMouseButton::mbRight, TShiftState{ssRight}, p.x, p.y);
            break;
        case WM_MBUTTONDOWN:
            Raise(OnMouseDown, *this, TMouseButton::mbMiddle, TShiftState{ssMiddle}, p.x, p.y);
            break;
        case WM_MBUTTONUP:
            Raise(OnMouseUp, *this, TMouseButton::mbMiddle, TShiftState{ssMiddle}, p.x, p.y);
            break;
        default:
            break;
    }
}

void TTrayIcon::SingleClickTimeUp() {
    const bool pending = std::exchange(clickPending_, false);
    if (pending) Raise(OnClick, *this);
}
