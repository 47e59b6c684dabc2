#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "desktop/TActiveWindow.h"
#include "desktop/TCallbackWindow.h"
#include "desktop/THookHotKey.h"
#include "desktop/TTrayIcon.h"
#include "tests/desktop/ShellRecorder.h"
#include "tests/support/ProcessResources.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/TForm.h"

namespace {
using Resources = ProcessResources;
constexpr auto Measure = MeasureProcessResources;

// The single-click thread waits out the double-click time. In a life whose click is not
// meant to time out, that time is made longer than the life (for this process only), so the
// thread is certainly alive when it is counted; the life's end cuts its wait short.
class ClickOutlastsTheLife {
public:
    ClickOutlastsTheLife() { ::SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, 60000, nullptr, 0); }
    ~ClickOutlastsTheLife() { ::SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, saved_, nullptr, 0); }

private:
    const UINT saved_ = ::GetDoubleClickTime();
};

// Everything the components can hold at once: a shown icon animating with a click being
// timed, registered hotkeys, a running watcher. The most seen in any life.
Resources duringLife;

void OneLife(TImageList& pictures, bool clickTimedOut) {
    std::optional<ClickOutlastsTheLife> longClick;
    if (!clickTimedOut) longClick.emplace();
    TForm owner(nullptr);
    auto* icon = new TTrayIcon(&owner);
    icon->SetTipHelp("Pictavo");
    icon->SetVisible(true);
    icon->SetAnimateIcons(&pictures);
    icon->SetAnimateRate(100);
    icon->OnClick = [](TObject&) {};
    icon->StartAnimation();
    ::SendMessageA(TTrayIcon::CallbackWindow()->Handle(), TCallbackWindow::kNotifyMessage, icon->IconNumber(),
                   WM_LBUTTONUP);
    auto* hotkeys = new THookHotKey(&owner);
    hotkeys->RegisterShortCut(0, scCtrl | scAlt | 'F');
    hotkeys->RegisterShortCut(1, scCtrl | scAlt | 'A');
    auto* watcher = new TActiveWindow(&owner);
    watcher->StartWatch();
    PumpFor(std::chrono::milliseconds(120));
    const Resources now = Measure();
    duringLife.handles = std::max(duringLife.handles, now.handles);
    duringLife.windows = std::max(duringLife.windows, now.windows);
    duringLife.threads = std::max(duringLife.threads, now.threads);
    if (clickTimedOut) {
        PumpUntil([] { return TTrayIcon::CallbackWindow()->PendingSingleClicks() == 0; });
    } else {
        icon->StopAnimation();
    }
}
}  // namespace

TEST(Lifecycle, ComponentsLeaveNoThreadHandleOrWindowBehind) {
    TImageList pictures(nullptr);
    for (COLORREF colour : {RGB(255, 0, 0), RGB(0, 0, 255)}) {
        UniqueHicon icon(MakeSolidIcon(colour));
        pictures.AddIcon(icon.get());
    }
    const Resources start = Measure();
    for (int i = 0; i < 3; ++i) OneLife(pictures, i % 2 == 0);
    // The first lives leave what stays for good (the callback window, Wine's own handles).
    const Resources before = SettledProcessResources({duringLife.handles, duringLife.windows, start.threads});
    constexpr int kLives = 20;
    for (int i = 0; i < kLives; ++i) OneLife(pictures, i % 2 == 0);
    const Resources after = SettledProcessResources({before.handles + 2, before.windows, before.threads});

    std::printf(
        "after %d lives: kernel handles %lu -> %lu, windows %lu -> %lu, threads %lu -> %lu "
        "(during a life: %lu, %lu, %lu)\n",
        kLives, before.handles, after.handles, before.windows, after.windows, before.threads, after.threads,
        duringLife.handles, duringLife.windows, duringLife.threads);
    // The counts must see what a life holds, or their equality below proves nothing.
    ASSERT_GE(duringLife.threads, before.threads + 2) << "animation and single-click threads";
    ASSERT_GT(duringLife.windows, before.windows);
    ASSERT_GT(duringLife.handles, before.handles);
    EXPECT_EQ(after.threads, before.threads);
    // Wine itself now and then keeps one handle more, once; a leak would show once per life.
    EXPECT_LE(after.handles, before.handles + 2);
    EXPECT_LE(after.windows, before.windows);
}
