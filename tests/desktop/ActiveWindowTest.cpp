#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/TActiveWindow.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/TForm.h"

namespace {
using std::chrono::milliseconds;

struct Counts {
    int on = 0, off = 0, change = 0;
    bool operator==(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counts& c) {
    return out << "on " << c.on << ", off " << c.off << ", change " << c.change;
}

TForm* MakeWindow(const std::string& caption, int left) {
    auto* form = new TForm(nullptr);
    form->SetCaption(caption);
    form->SetBounds(left, 100, 200, 120);
    form->Show();
    return form;
}
}  // namespace

TEST(ActiveWindow, EachForegroundChangeIsReportedOnce) {
    std::unique_ptr<TForm> owner(MakeWindow("owner", 20));
    std::unique_ptr<TForm> first(MakeWindow("文書A", 260));
    std::unique_ptr<TForm> second(MakeWindow("文書B", 500));
    ::SetForegroundWindow(owner->Handle());
    auto* watcher = new TActiveWindow(owner.get());
    Counts counts;
    watcher->OnActiveOn = [&](TObject& sender) {
        EXPECT_EQ(&sender, watcher);
        ++counts.on;
    };
    watcher->OnActiveOff = [&](TObject&) { ++counts.off; };
    watcher->OnChangeActWnd = [&](TObject&) { ++counts.change; };

    EXPECT_EQ(watcher->ActWnd(), nullptr);
    EXPECT_EQ(watcher->ActWndText(), "");
    watcher->SetWatching(true);
    EXPECT_FALSE(watcher->Watching()) << "nothing to switch on before StartWatch";
    watcher->StartWatch();
    EXPECT_TRUE(watcher->Watching());

    // Each step: bring a window to the front, wait for the counts it should give, then make
    // sure later polls add nothing.
    struct {
        TForm* front;
        Counts expected;
        TForm* remembered;
    } steps[] = {
        {owner.get(), {1, 0, 0}, nullptr},       {first.get(), {1, 1, 1}, first.get()},
        {second.get(), {1, 1, 2}, second.get()}, {owner.get(), {2, 1, 2}, second.get()},
        {first.get(), {2, 2, 3}, first.get()},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        ::SetForegroundWindow(steps[i].front->Handle());
        EXPECT_TRUE(PumpUntil([&] { return counts == steps[i].expected; })) << "step " << i << ": " << counts;
        PumpFor(milliseconds(350));
        EXPECT_EQ(counts, steps[i].expected) << "step " << i;
        EXPECT_EQ(watcher->ActWnd(), steps[i].remembered ? steps[i].remembered->Handle() : nullptr) << "step " << i;
    }
    EXPECT_EQ(watcher->ActWndText(), "文書A");

    watcher->SetWatching(false);
    ::SetForegroundWindow(second->Handle());
    PumpFor(milliseconds(350));
    EXPECT_EQ(counts, (Counts{2, 2, 3})) << "a stopped watcher sees nothing";
    EXPECT_EQ(watcher->ActWnd(), first->Handle());
}

TEST(ActiveWindow, WatcherFreedBeforeItsOwnerTakesItsTimerAlong) {
    TForm owner(nullptr);
    auto* watcher = new TActiveWindow(&owner);
    int polls = 0;
    watcher->OnChangeActWnd = [&](TObject&) { ++polls; };
    watcher->StartWatch();
    EXPECT_EQ(owner.ComponentCount(), 2) << "the timer belongs to the owner";
    delete watcher;
    EXPECT_EQ(owner.ComponentCount(), 0);
    PumpFor(milliseconds(300));
}
