// The button driven by the real pointer and by keys.
#include <gtest/gtest.h>

#include "tests/support/BoxRecorder.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/RealPointer.h"
#include "tests/support/TestEnvironment.h"
#include "tests/widgets/WidgetTestKit.h"
#include "toolkit/Exception.h"
#include "toolkit/TCheckBox.h"
#include "widgets/TPictureButton.h"

namespace {
constexpr TColor kInColor = 14931660;
constexpr COLORREF kNormal = RGB(240, 230, 200);
COLORREF Sys(TColor color) { return ColorToRGB(color); }

struct ButtonStage {
    StageForm form;
    TPictureButton* button;
    int clicks = 0;
    ButtonStage() : button(new TPictureButton(&form)) {
        button->SetParent(&form);
        button->SetBounds(40, 40, 105, 25);
        button->SetInColor(kInColor);
        button->SetColor(kNormal);
        button->SetFocusStyle(TFocusStyle::bfsNone);
        button->OnClick = [this](TObject&) { ++clicks; };
    }
    COLORREF Face() { return PixelCanvas::Paint(*button)->At(50, 12); }
    COLORREF Corner() { return PixelCanvas::Paint(*button)->At(0, 0); }
    bool WaitInside(bool inside) {
        return SettleOn([&] { return button->MouseInClient() == inside; });
    }
    void Key(UINT message, WPARAM key) { ::SendMessageA(button->Handle(), message, key, 1); }
};
}  // namespace

TEST(PictureButtonPointer, HoverLightsTheFaceAndReportsEnterAndLeave) {
    ButtonStage stage;
    struct Report {
        TShiftState shift;
        int x, y;
    };
    std::vector<Report> enters, leaves;
    stage.button->OnMouseEnter = [&](TObject& sender, TShiftState shift, int x, int y) {
        EXPECT_EQ(&sender, stage.button);
        enters.push_back({shift, x, y});
        // Reported before the button reacts: still the normal colour.
        EXPECT_EQ(stage.button->CurrentColor(), static_cast<TColor>(kNormal));
    };
    stage.button->OnMouseLeave = [&](TObject&, TShiftState shift, int x, int y) { leaves.push_back({shift, x, y}); };

    MovePointer(stage.button->Handle(), 30, 10);
    ASSERT_TRUE(stage.WaitInside(true));
    EXPECT_EQ(PixelCanvas::Hex(stage.Face()), PixelCanvas::Hex(Sys(kInColor)));
    ASSERT_FALSE(enters.empty());
    EXPECT_EQ(enters.back().shift, 0u);
    EXPECT_EQ(enters.back().x, 30);
    EXPECT_EQ(enters.back().y, 10);

    MovePointer(stage.button->Handle(), 150, 10);
    ASSERT_TRUE(stage.WaitInside(false));
    EXPECT_EQ(PixelCanvas::Hex(stage.Face()), PixelCanvas::Hex(kNormal));
    ASSERT_FALSE(leaves.empty());
    EXPECT_EQ(leaves.back().x, 150);
    EXPECT_EQ(stage.clicks, 0);
}

TEST(PictureButtonPointer, PressedFaceFollowsThePointerAndOnlyAReleaseOverTheButtonClicks) {
    for (bool colorChange : {true, false}) {
        SCOPED_TRACE(colorChange ? "ColorChange on" : "ColorChange off");
        ButtonStage stage;
        stage.button->SetColorChange(colorChange);
        HWND window = stage.button->Handle();

        MovePointer(window, 30, 10);
        ASSERT_TRUE(stage.WaitInside(true));
        EXPECT_EQ(PixelCanvas::Hex(stage.Face()), PixelCanvas::Hex(colorChange ? Sys(kInColor) : kNormal));

        PressLeft();
        ASSERT_TRUE(PumpUntil([&] { return stage.button->Pressed(); }));
        EXPECT_TRUE(stage.button->Focused());
        EXPECT_EQ(stage.button->FaceShift(), 1);
        EXPECT_EQ(PixelCanvas::Hex(stage.Face()), PixelCanvas::Hex(Sys(kInColor)));
        EXPECT_EQ(PixelCanvas::Hex(stage.Corner()), PixelCanvas::Hex(Sys(clBtnShadow)));

        // Out while held: raised again, normal face, at once.
        MovePointer(window, 150, 10);
        ASSERT_TRUE(stage.WaitInside(false));
        EXPECT_EQ(stage.button->FaceShift(), 0);
        EXPECT_EQ(PixelCanvas::Hex(stage.Face()), PixelCanvas::Hex(kNormal));
        EXPECT_EQ(PixelCanvas::Hex(stage.Corner()), PixelCanvas::Hex(Sys(cl3DLight)));

        // Back in: pressed again.
        MovePointer(window, 60, 12);
        ASSERT_TRUE(stage.WaitInside(true));
        EXPECT_EQ(stage.button->FaceShift(), 1);

        // Out and released there: no click, the up look.
        MovePointer(window, 150, 10);
        ASSERT_TRUE(stage.WaitInside(false));
        ReleaseLeft();
        ASSERT_TRUE(PumpUntil([&] { return !stage.button->Pressed(); }));
        PumpFor(std::chrono::milliseconds(100));
        EXPECT_EQ(stage.clicks, 0);
        EXPECT_EQ(stage.button->FaceShift(), 0);

        // Pressed and released over it: one click.
        MovePointer(window, 30, 10);
        ASSERT_TRUE(stage.WaitInside(true));
        PressLeft();
        ReleaseLeft();
        ASSERT_TRUE(PumpUntil([&] { return stage.clicks == 1; }));
        EXPECT_FALSE(stage.button->Pressed());
        EXPECT_EQ(PixelCanvas::Hex(stage.Corner()), PixelCanvas::Hex(Sys(cl3DLight)));
        MovePointer(window, 150, 10);
    }
}

TEST(PictureButtonKeys, SpaceClicksOnReleaseAndItsRepeatsChangeNothing) {
    ButtonStage stage;
    stage.Key(WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(stage.button->Pressed());
    EXPECT_EQ(stage.button->FaceShift(), 1);
    stage.Key(WM_KEYDOWN, VK_SPACE);  // auto-repeat
    stage.Key(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(stage.clicks, 0);
    // Keyboard presses show the pressed face without any hover.
    EXPECT_EQ(PixelCanvas::Hex(stage.Face()), PixelCanvas::Hex(Sys(kInColor)));
    stage.Key(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(stage.clicks, 1);
    EXPECT_FALSE(stage.button->Pressed());
    stage.Key(WM_KEYUP, VK_SPACE);  // an up without a down
    EXPECT_EQ(stage.clicks, 1);
}

TEST(PictureButtonKeys, AnotherKeyWhileSpaceIsHeldLetsGoWithoutAClick) {
    ButtonStage stage;
    stage.Key(WM_KEYDOWN, VK_SPACE);
    stage.Key(WM_KEYDOWN, 'A');
    EXPECT_FALSE(stage.button->Pressed());
    EXPECT_EQ(PixelCanvas::Hex(stage.Face()), PixelCanvas::Hex(kNormal));
    stage.Key(WM_KEYUP, 'A');
    stage.Key(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(stage.clicks, 0);
}

TEST(PictureButtonKeys, EnterClicksAtOnceAndLetsGoEvenWhenTheClickFails) {
    ButtonStage stage;
    stage.button->SetCaption("閉じる(&C)");
    bool pressedDuringClick = true;
    stage.button->OnClick = [&](TObject&) {
        ++stage.clicks;
        pressedDuringClick = stage.button->Pressed();
        throw Exception("クリックに失敗");
    };
    BoxRecorder boxes;
    stage.Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(stage.clicks, 1);
    EXPECT_FALSE(pressedDuringClick);
    EXPECT_FALSE(stage.button->Pressed());
    EXPECT_EQ(stage.button->FaceShift(), 0);
    // The error went on to the application's error box.
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0], "クリックに失敗.");

    // Through the accelerator the click runs inside the system's enumeration of the
    // window's children; the error must come back out of it, not end the program.
    auto* other = new TPictureButton(&stage.form);
    other->SetParent(&stage.form);
    ::SendMessageA(other->Handle(), WM_CHAR, 'c', 1);
    EXPECT_EQ(stage.clicks, 2);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"クリックに失敗.", "クリックに失敗."}));
}

// Real keys in a form, through its dialog keys: Enter and Space reach the focused button
// and click it once each; Tab while Space holds it down moves on and lets go of it without
// a click, and the Space let go on the next control does nothing there.
TEST(PictureButtonKeys, RealEnterAndSpaceClickAFocusedButtonOnceAndTabLetsGoOfIt) {
    ButtonStage stage;
    auto* box = new TCheckBox(&stage.form);
    box->SetParent(&stage.form);
    box->SetBounds(40, 100, 120, 20);
    stage.button->SetFocus();
    // The desktop hands X key presses on to the program only with the pointer over one of
    // its windows; off the button, so it shows no hover.
    MovePointer(stage.form.Handle(), 300, 250);
    auto press = [](const std::string& keys) {
        return RunHostCommand("xdotool search --name 'Wine desktop' windowfocus --sync " + keys);
    };
    ASSERT_TRUE(press("key Return"));
    ASSERT_TRUE(PumpUntil([&] { return stage.clicks == 1; }));
    ASSERT_TRUE(press("key space"));
    ASSERT_TRUE(PumpUntil([&] { return stage.clicks == 2; }));

    ASSERT_TRUE(press("keydown space"));
    ASSERT_TRUE(PumpUntil([&] { return stage.button->Pressed(); }));
    ASSERT_TRUE(press("key Tab keyup space"));
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == box->Handle(); }));
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_FALSE(stage.button->Pressed());
    EXPECT_EQ(stage.button->FaceShift(), 0);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(stage.clicks, 2);
}

TEST(PictureButtonKeys, DisabledButtonIgnoresKeys) {
    ButtonStage stage;
    stage.button->SetEnabled(false);
    stage.Key(WM_KEYDOWN, VK_SPACE);
    stage.Key(WM_KEYUP, VK_SPACE);
    stage.Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(stage.clicks, 0);
    EXPECT_FALSE(stage.button->Pressed());
}

TEST(PictureButtonKeys, AcceleratorClicksOnlyAnEnabledVisibleButton) {
    ButtonStage stage;
    stage.button->SetCaption("閉じる(&C)");
    auto* other = new TPictureButton(&stage.form);
    other->SetParent(&stage.form);
    other->SetBounds(40, 100, 105, 25);
    other->SetCaption("開く");
    other->SetFocus();

    ::SendMessageA(other->Handle(), WM_CHAR, 'c', 1);
    EXPECT_EQ(stage.clicks, 1);
    ::SendMessageA(other->Handle(), WM_SYSCHAR, 'C', 1 | (1 << 29));
    EXPECT_EQ(stage.clicks, 2);
    ::SendMessageA(other->Handle(), WM_CHAR, 'x', 1);
    EXPECT_EQ(stage.clicks, 2);

    stage.button->SetEnabled(false);
    ::SendMessageA(other->Handle(), WM_CHAR, 'c', 1);
    stage.button->SetEnabled(true);
    stage.button->Hide();
    ::SendMessageA(other->Handle(), WM_CHAR, 'c', 1);
    EXPECT_EQ(stage.clicks, 2);
}
