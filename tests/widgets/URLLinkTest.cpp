#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/PixelCanvas.h"
#include "tests/support/RealPointer.h"
#include "tests/support/TestEnvironment.h"
#include "tests/widgets/WidgetTestKit.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/WindowDC.h"
#include "widgets/TURLLink.h"

namespace {
// Records what would have been handed to the shell while it lives.
class LaunchRecorder {
public:
    LaunchRecorder()
        : previous_(TURLLink::SetLauncher([this](const std::string& target) { targets.push_back(target); })) {}
    ~LaunchRecorder() { TURLLink::SetLauncher(previous_); }
    std::vector<std::string> targets;

private:
    TURLLink::TLauncher previous_;
};

struct LinkStage {
    StageForm form;
    TURLLink* link;
    LinkStage() : link(new TURLLink(&form)) {
        link->SetParent(&form);
        link->SetLeft(40);
        link->SetTop(40);
        link->SetCaption("Pictavo Project");
        link->SetTransparent(true);
    }
    // Pixels of the text in one colour.
    int TextPixels(COLORREF color) {
        auto canvas = PixelCanvas::Paint(*link);
        RECT all = canvas->BoundsOf(color);
        return all.right - all.left;
    }
};

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRedText = RGB(255, 0, 0);
}  // namespace

TEST(URLLink, LeftPressHandsTheTargetToTheShellAndTheRightButtonNothing) {
    struct Case {
        TURLtype type;
        const char* link;
        const char* target;
    } cases[] = {
        {TURLtype::tpURL, "http://", "http://"},
        {TURLtype::tpURL, "https://pictavo.example.org/", "https://pictavo.example.org/"},
        {TURLtype::tpMAIL, "team@pictavo.example.org", "mailto:team@pictavo.example.org"},
        {TURLtype::tpMAIL, "mailto:team@pictavo.example.org", "mailto:mailto:team@pictavo.example.org"},
    };
    for (const Case& c : cases) {
        LaunchRecorder launches;
        TForm form(nullptr);
        auto* link = new TURLLink(&form);
        link->SetParent(&form);
        link->SetCaption("link");
        link->SetURLType(c.type);
        link->SetLink(c.link);
        ::SendMessageA(link->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
        ::SendMessageA(link->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(launches.targets.empty()) << c.link;
        // Opened on the press, before any release.
        ::SendMessageA(link->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ASSERT_EQ(launches.targets.size(), 1u) << c.link;
        EXPECT_EQ(launches.targets[0], c.target);
        ::SendMessageA(link->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(launches.targets.size(), 1u);
    }
}

TEST(URLLinkPointer, TextTurnsToTheLinkColourWhileThePointerIsOverItWithoutAPopUp) {
    LinkStage stage;
    stage.link->SetEnableShowHint(false);
    EXPECT_GT(stage.TextPixels(kBlue), 0);
    EXPECT_EQ(stage.TextPixels(kRedText), 0);

    MovePointer(stage.link->Handle(), 5, 5);
    ASSERT_TRUE(SettleOn([&] { return stage.link->MouseInClient(); }));
    EXPECT_EQ(stage.TextPixels(kBlue), 0);
    EXPECT_GT(stage.TextPixels(kRedText), 0);
    EXPECT_FALSE(stage.link->HintShowing());
    EXPECT_FALSE(stage.link->HintForm().HandleAllocated() && ::IsWindowVisible(stage.link->HintForm().Handle()));

    MovePointer(stage.link->Handle(), 5, 60);
    ASSERT_TRUE(SettleOn([&] { return !stage.link->MouseInClient(); }));
    EXPECT_GT(stage.TextPixels(kBlue), 0);
    EXPECT_EQ(stage.TextPixels(kRedText), 0);
}

TEST(URLLinkPointer, PopUpShowsTheLinkBesideThePointerWithoutTakingTheActivation) {
    LinkStage stage;
    stage.link->SetLink("https://pictavo.example.org/");
    stage.link->SetHintFormColor(RGB(255, 255, 225));
    HWND hint = stage.link->HintForm().Handle();

    MovePointer(stage.link->Handle(), 5, 5);
    ASSERT_TRUE(SettleOn([&] { return stage.link->HintShowing(); }));
    EXPECT_TRUE(::IsWindowVisible(hint));
    EXPECT_EQ(::GetForegroundWindow(), stage.form.Handle());
    EXPECT_TRUE(::GetWindowLongA(hint, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Beside the pointer where it first moved over the label, sized to the text.
    RECT placed;
    ::GetWindowRect(hint, &placed);
    POINT pointer{5, 5};
    ::ClientToScreen(stage.link->Handle(), &pointer);
    EXPECT_EQ(placed.left, pointer.x + 15);
    EXPECT_EQ(placed.top, pointer.y + 15);
    SIZE text{};
    {
        WindowDC screen(nullptr);
        SelectObjectGuard font(screen.get(), stage.link->HintFormFont().Handle());
        ::GetTextExtentPoint32A(screen.get(), "https://pictavo.example.org/", 28, &text);
    }
    EXPECT_EQ(placed.right - placed.left, text.cx + 6);
    EXPECT_EQ(placed.bottom - placed.top, text.cy + 3);

    // It does not follow the pointer.
    MovePointer(stage.link->Handle(), 20, 6);
    ASSERT_TRUE(SettleOn([&] { return stage.link->MouseInClient(); }));
    RECT still;
    ::GetWindowRect(hint, &still);
    EXPECT_TRUE(::EqualRect(&placed, &still));

    MovePointer(stage.link->Handle(), 5, 80);
    ASSERT_TRUE(SettleOn([&] { return !stage.link->HintShowing(); }));
    EXPECT_FALSE(::IsWindowVisible(hint));
}

TEST(URLLinkPointer, PressHidesThePopUp) {
    LaunchRecorder launches;
    LinkStage stage;
    MovePointer(stage.link->Handle(), 5, 5);
    ASSERT_TRUE(SettleOn([&] { return stage.link->HintShowing(); }));
    // (The next move over the label shows it again.)
    ::SendMessageA(stage.link->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(launches.targets.size(), 1u);
    EXPECT_EQ(launches.targets[0], "http://");
    EXPECT_FALSE(stage.link->HintShowing());
    EXPECT_FALSE(::IsWindowVisible(stage.link->HintForm().Handle()));
    ::SendMessageA(stage.link->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}
