#pragma once
// An icon with a tip in the shell's notification area. It reports the mouse on it as
// events, opens pop-up menus from it, tells a single click from a double click, and can
// animate through the pictures of an image list on a thread of its own.
//
// Every icon of the program has a number (1, 2, 3, ...: one more than the last number in
// use) by which the shell's notifications find it; at most 100 live at once.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "desktop/ENotifyIconError.h"
#include "desktop/NotifyIconRecord.h"
#include "toolkit/MouseEvents.h"
#include "toolkit/TComponent.h"
#include "toolkit/TIcon.h"
#include "toolkit/TImageList.h"
#include "toolkit/TPopupMenu.h"
#include "toolkit/TReleasedMutex.h"

class TCallbackWindow;
class TTrayIconAnimate;
struct TFrameSink;

class TTrayIcon : public TComponent {
public:
    static constexpr int kMaxIcons = 100;
    static constexpr size_t kMaxTipBytes = 62;

    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;

    TImageList* AnimateIcons() const { return animateIcons_; }
    // Refused (ignored) while the animation runs.
    void SetAnimateIcons(TImageList* list);
    int AnimateRate() const { return animateRate_; }
    // Milliseconds per picture; below 100 becomes 100.
    void SetAnimateRate(int milliseconds);
    // Open the button's pop-up menu when the button goes down.
    bool AutoPopup = true;
    bool Enabled() const { return enabled_; }
    // Off: mouse notifications are ignored and a click still being timed is dropped.
    void SetEnabled(bool value);
    // The static icon; when empty, the owner form's icon or else the application's is shown.
    TIcon& Icon() { return icon_; }
    // Copies the picture (none empties it); handing in Icon() itself changes nothing.
    void SetIcon(const TIcon* icon);
    TPopupMenu* LBPopupMenu() const { return lbPopupMenu_; }
    void SetLBPopupMenu(TPopupMenu* menu);
    TPopupMenu* RBPopupMenu() const { return rbPopupMenu_; }
    void SetRBPopupMenu(TPopupMenu* menu);
    const std::string& TipHelp() const { return tipHelp_; }
    // Only the first 62 bytes are kept (a double-byte character may be cut in two).
    void SetTipHelp(const std::string& tip);
    bool Visible() const { return visible_; }
    // Puts the icon into the notification area or takes it out; stays off while there is
    // no icon to show at all. Raises ENotifyIconError when the shell refuses the icon.
    void SetVisible(bool value);

    // An icon made visible in a batch set-up (Loaded), or lost with a rebuilt notification
    // area, that the shell refuses is not an error: the shell may not be up yet (a program
    // started at logon) or may be restarting. The icon stays visible and waits: it is
    // offered again every RetryInterval milliseconds and whenever the notification area is
    // rebuilt, and OnAddRefused is raised once when the shell has refused it for WaitLimit
    // milliseconds (it is still offered after that).
    unsigned RetryInterval() const { return retryInterval_; }
    void SetRetryInterval(unsigned milliseconds);
    unsigned WaitLimit() const { return waitLimit_; }
    void SetWaitLimit(unsigned milliseconds) { waitLimit_ = milliseconds; }
    bool WaitingForShell() const { return waitingSince_.has_value(); }

    // Cycles through the pictures of AnimateIcons (from the first, at once), or shows only
    // the next one with singleFrame. Ignored while animating or without pictures.
    void StartAnimation(bool singleFrame = false);
    // Puts the static icon back; returns once no further picture can reach the shell.
    void StopAnimation();
    bool Animating() const { return animating_; }

    // This icon's number towards the shell.
    int IconNumber() const { return number_; }
    // Whether the shell holds the icon right now.
    bool Registered() const { return registered_; }
    // The window that receives the shell's notifications for all icons (null when no icon
    // lives).
    static TCallbackWindow* CallbackWindow();
    // How long after its release a left click is reported as OnClick (when no second click
    // came).
    static DWORD ClickDelay();

    // Every call to the shell passes through here; the previous function is returned.
    // Tests record the calls this way. Empty restores the shell itself.
    static ShellNotifyFunction SetShellNotify(ShellNotifyFunction function);

    void ReadState(const std::function<void()>& readProperties) override;
    void Loaded() override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    // A menu opened from the icon has closed (its command run). `before` is the window that
    // was in front before the owner form was brought forward for the menu.
    std::function<void(TObject& sender, HWND before)> OnPopupClosed;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnAddRefused;

protected:
    void Notification(TComponent& component, TOperation operation) override;

private:
    enum class Action { Add, Modify, Delete };

    // The callback window's reports, handed to it when the first icon makes it.
    static TCallbackWindow* MakeCallbackWindow();
    static void ShellRestarted();

    HICON IconChoice() const;
    void UpdateIcon();
    void Notify(Action action);
    // One add; `mayBeThere` when an earlier add may have been taken after all (the shell
    // answers a busy moment with a refusal and may still add the icon later).
    bool TryAdd(bool mayBeThere);
    // An add that waits for the shell when refused, and its retries.
    void AddOrWait();
    void RetryAdd();
    void StopWaiting();
    // Puts the record's icon, tip and flags in place; the shell lock must be held.
    void FillRecord(HICON icon);
    // The animation thread's sink: the picture now shown.
    TFrameSink FrameSink();
    void ShowFrame(HICON picture);
    // The callback window's reports for this icon.
    void MouseNotification(UINT mouseMessage);
    void SingleClickTimeUp();
    void Readd();
    void PopupAtCursor(TPopupMenu& menu, int x, int y);
    // A button went down: its menu opens when it has one and AutoPopup is on; else
    // OnMouseDown.
    void PressOrPopup(TPopupMenu* menu, TMouseButton button, TShiftState shift, POINT at);

    std::atomic<bool> animating_{false};
    std::atomic<bool> singleFrame_{false};
    std::unique_ptr<TTrayIconAnimate> animator_;
    int number_ = 0;
    bool registered_ = false;
    // Guards what the animation thread shares: the record, the tip, the registered flag
    // and the picture shown.
    TMutex shellMutex_;
    NotifyIconRecord record_;
    HICON frameIcon_ = nullptr;

    TImageList* animateIcons_ = nullptr;
    std::atomic<int> animateRate_{500};
    bool enabled_ = true;
    TIcon icon_;
    TPopupMenu* lbPopupMenu_ = nullptr;
    TPopupMenu* rbPopupMenu_ = nullptr;
    std::string tipHelp_ = "TipHelp";
    bool visible_ = false;
    bool clickPending_ = false;
    bool tipDefaultCleared_ = false;
    unsigned retryInterval_ = 3000;
    unsigned waitLimit_ = 60000;
    // When the shell first refused the icon, while it waits.
    std::optional<DWORD> waitingSince_;
    bool refusalTold_ = false;
    // False once the icon is destroyed: a menu's command may destroy it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
