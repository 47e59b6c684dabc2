#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/THookHotKey.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/HeldHotKey.h"
#include "tests/support/ProgramDriver.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/Exception.h"
#include "toolkit/TForm.h"

namespace {
// Real key presses, typed by the X server into the Wine desktop window.
void PressKeys(const std::string& keys) {
    ASSERT_TRUE(RunHostCommand("xdotool search --name 'Wine desktop' windowfocus --sync key " + keys))
        << "xdotool failed";
}

// The same through the system's input queue, for combinations that the X server keeps for
// itself: with Ctrl+Alt an F-key becomes a console switch there and never reaches Wine.
struct Report {
    int index;
    HWND foreground;
};

// An owner form and another window in front of it, as when the user works elsewhere.
struct Desk {
    Desk() : owner(nullptr), other(nullptr) {
        owner.SetBounds(50, 50, 200, 100);
        owner.Show();
        other.SetBounds(300, 50, 200, 100);
        other.Show();
        ::SetForegroundWindow(other.Handle());
        PumpUntil([&] { return ::GetForegroundWindow() == other.Handle(); });
    }
    TForm owner;
    TForm other;
};

// Shortcuts by index, as ReplaceShortCuts takes them.
using Keys = std::vector<TShortCut>;

// What the system is asked to register, passed on to it; letting a key go may be refused.
class RecordingHotKey : public THookHotKey {
public:
    using THookHotKey::THookHotKey;
    std::vector<UINT> modifiers;
    bool unregisterRefused = false;

protected:
    bool RegisterWithSystem(int id, UINT mods, UINT virtualKey) override {
        modifiers.push_back(mods);
        return THookHotKey::RegisterWithSystem(id, mods, virtualKey);
    }
    bool UnregisterWithSystem(int id) override { return !unregisterRefused && THookHotKey::UnregisterWithSystem(id); }
};

}  // namespace

TEST(HookHotKey, RealKeyPressesReportTheIndexTheyWereRegisteredUnder) {
    Desk desk;
    auto* hotkeys = new THookHotKey(&desk.owner);
    std::vector<Report> presses;
    hotkeys->OnHotKey = [&](TObject& sender, int index) {
        EXPECT_EQ(&sender, hotkeys);
        presses.push_back({index, ::GetForegroundWindow()});
    };
    struct {
        int index;
        TShortCut shortCut;
        const char* keys;  // typed on the X display, or else sent as `input`
        std::vector<WORD> input;
    } cases[] = {
        {0, scCtrl | scAlt | 'F', "ctrl+alt+f", {}},
        {-3, scCtrl | scShift | 'S', "ctrl+shift+s", {}},
        {2, scAlt | scShift | 'E', "alt+shift+e", {}},
        {7, scCtrl | scAlt | VK_F12, "", {VK_CONTROL, VK_MENU, VK_F12}},
    };
    for (const auto& c : cases) ASSERT_TRUE(hotkeys->RegisterShortCut(c.index, c.shortCut)) << c.index;
    for (const auto& c : cases) {
        presses.clear();
        if (c.input.empty()) {
            PressKeys(c.keys);
        } else {
            ASSERT_TRUE(SendKeys(c.input));
        }
        ASSERT_TRUE(PumpUntil([&] { return !presses.empty(); })) << c.index << " did not arrive";
        EXPECT_EQ(presses[0].index, c.index);
        EXPECT_EQ(presses[0].foreground, desk.owner.Handle()) << "Activate brings the owner forward";
        ::SetForegroundWindow(desk.other.Handle());
    }
}

TEST(HookHotKey, ActivateOffOrNoHandlerLeavesTheForegroundAlone) {
    Desk desk;
    auto* hotkeys = new THookHotKey(&desk.owner);
    ASSERT_TRUE(hotkeys->RegisterShortCut(1, scCtrl | scAlt | 'A'));

    PressKeys("ctrl+alt+a");
    PumpFor(std::chrono::milliseconds(500));
    EXPECT_EQ(::GetForegroundWindow(), desk.other.Handle()) << "no handler: nothing happens";

    std::vector<Report> presses;
    hotkeys->OnHotKey = [&](TObject&, int index) { presses.push_back({index, ::GetForegroundWindow()}); };
    hotkeys->SetActivate(false);
    PressKeys("ctrl+alt+a");
    ASSERT_TRUE(PumpUntil([&] { return !presses.empty(); }));
    EXPECT_EQ(presses[0].index, 1);
    EXPECT_EQ(presses[0].foreground, desk.other.Handle());
}

TEST(HookHotKey, CombinationHeldByAnotherProcessIsRefusedWithoutAWord) {
    HeldElsewhere holder(MOD_CONTROL | MOD_ALT, 'H');
    ASSERT_TRUE(holder.Held()) << "the helper process could not take the key";
    THookHotKey hotkeys(nullptr);
    EXPECT_FALSE(hotkeys.RegisterShortCut(0, scCtrl | scAlt | 'H'));
    // Held by this program already, under another index.
    EXPECT_TRUE(hotkeys.RegisterShortCut(1, scCtrl | scAlt | 'J'));
    EXPECT_FALSE(hotkeys.RegisterShortCut(2, scCtrl | scAlt | 'J'));
}

TEST(HookHotKey, IndexRegisteredTwiceAnswersToBothKeys) {
    Desk desk;
    auto* hotkeys = new THookHotKey(&desk.owner);
    std::vector<int> indices;
    hotkeys->OnHotKey = [&](TObject&, int index) { indices.push_back(index); };
    hotkeys->SetActivate(false);
    ASSERT_TRUE(hotkeys->RegisterShortCut(0, scCtrl | scAlt | 'K'));
    ASSERT_TRUE(hotkeys->RegisterShortCut(0, scCtrl | scAlt | 'L'));
    PressKeys("ctrl+alt+k");
    ASSERT_TRUE(PumpUntil([&] { return indices.size() == 1; }));
    PressKeys("ctrl+alt+l");
    ASSERT_TRUE(PumpUntil([&] { return indices.size() == 2; }));
    EXPECT_EQ(indices, (std::vector<int>{0, 0}));
}

TEST(HookHotKey, HandlerErrorIsShownAndTheComponentStaysUsable) {
    BoxRecorder boxes;
    Desk desk;
    auto* hotkeys = new THookHotKey(&desk.owner);
    int calls = 0;
    hotkeys->OnHotKey = [&](TObject&, int) {
        if (++calls == 1) throw Exception("撮影できません");
    };
    ASSERT_TRUE(hotkeys->RegisterShortCut(4, scCtrl | scAlt | 'M'));
    PressKeys("ctrl+alt+m");
    ASSERT_TRUE(PumpUntil([&] { return calls == 1; }));
    ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"撮影できません."});
    EXPECT_EQ(boxes.Boxes()[0].caption, "Pictavo");
    PressKeys("ctrl+alt+m");
    ASSERT_TRUE(PumpUntil([&] { return calls == 2; }));
}

TEST(HookHotKey, KeysAreFreedWithTheComponent) {
    for (int round = 0; round < 3; ++round) {
        THookHotKey hotkeys(nullptr);
        EXPECT_TRUE(hotkeys.RegisterShortCut(0, scCtrl | scAlt | 'N')) << "round " << round;
    }
}

TEST(HookHotKey, ReplacedKeysLetTheOldGoAllBeforeAnyIsTakenAndKeepTheUnchanged) {
    constexpr TShortCut F = scCtrl | scAlt | 'F', A = scCtrl | scAlt | 'A', G = scCtrl | scAlt | 'G',
                        S = scCtrl | scAlt | 'S', H = scCtrl | scAlt | 'H', J = scCtrl | scAlt | 'J';
    Desk desk;
    auto* hotkeys = new RecordingHotKey(&desk.owner);
    std::vector<int> indices;
    hotkeys->OnHotKey = [&](TObject&, int index) { indices.push_back(index); };
    hotkeys->SetActivate(false);
    ASSERT_TRUE(hotkeys->ReplaceShortCuts(Keys{F, A, S}).empty());
    // A key held down must not repeat its command.
    EXPECT_EQ(hotkeys->modifiers[0], static_cast<UINT>(MOD_CONTROL | MOD_ALT | MOD_NOREPEAT));
    // F changed to G, A unchanged, S cleared.
    hotkeys->modifiers.clear();
    EXPECT_TRUE(hotkeys->ReplaceShortCuts(Keys{G, A, 0}).empty());
    EXPECT_EQ(hotkeys->modifiers.size(), 1u) << "only the changed key is registered";
    EXPECT_TRUE(FreeToRegister(MOD_CONTROL | MOD_ALT, 'F'));
    EXPECT_TRUE(FreeToRegister(MOD_CONTROL | MOD_ALT, 'S'));
    // Swapped between two indices: each is free again before the other takes it.
    EXPECT_TRUE(hotkeys->ReplaceShortCuts(Keys{A, G}).empty());
    ASSERT_TRUE(ProgramDriver::PressKeysUntil("ctrl+alt+g", [&] { return !indices.empty(); }));
    EXPECT_EQ(indices[0], 1);
    // A key held elsewhere is refused, and tried again while unchanged.
    {
        HeldElsewhere holder(MOD_CONTROL | MOD_ALT, 'H');
        ASSERT_TRUE(holder.Held());
        EXPECT_EQ(hotkeys->ReplaceShortCuts(Keys{A, G, 0, H}), std::vector<int>{3});
    }
    EXPECT_TRUE(hotkeys->ReplaceShortCuts(Keys{A, G, 0, H}).empty());
    // A key the system would not let go is still the component's, and goes at the next call.
    hotkeys->unregisterRefused = true;
    EXPECT_TRUE(hotkeys->ReplaceShortCuts(Keys{A, G, 0, J}).empty());
    hotkeys->unregisterRefused = false;
    EXPECT_TRUE(hotkeys->ReplaceShortCuts(Keys{A, G, 0, J}).empty());
    EXPECT_TRUE(FreeToRegister(MOD_CONTROL | MOD_ALT, 'H'));
}
