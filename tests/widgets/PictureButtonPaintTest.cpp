// The button's looks, painted into a bitmap through the same code as WM_PAINT.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/PixelCanvas.h"
#include "tests/support/RealPointer.h"
#include "tests/widgets/WidgetTestKit.h"
#include "toolkit/Frame3D.h"
#include "toolkit/SelectObjectGuard.h"
#include "widgets/TPictureButton.h"

namespace {
constexpr TColor kInColor = 14931660;  // RGB(204, 214, 227)
COLORREF Sys(TColor color) { return ColorToRGB(color); }

TPictureButton* NewButton(TForm& form, int width, int height) {
    auto* button = new TPictureButton(&form);
    button->SetParent(&form);
    button->SetBounds(20, 20, width, height);
    button->SetInColor(kInColor);
    return button;
}

void PressWithMouse(TPictureButton& button) {
    ::SendMessageA(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
}
}  // namespace

TEST(PictureButton, CentredOffsetRoundsHalvesToTheEvenNeighbour) {
    struct Case {
        int room, expected;
    } cases[] = {{26, 13}, {25, 12}, {27, 14}, {1, 0}, {3, 2}, {0, 0}, {-1, 0}, {-3, -2}, {-5, -2}, {-4, -2}, {-7, -4}};
    for (const Case& c : cases) EXPECT_EQ(TPictureButton::CentredOffset(c.room), c.expected) << c.room;
}

TEST(PictureButton, UpAndPressedLooksAreTheirFramesAroundTheirFaces) {
    struct Pixel {
        int x, y;
        TColor colour;
    };
    StageForm form;
    TPictureButton* button = NewButton(form, 105, 25);
    const COLORREF face = RGB(240, 230, 200);
    button->SetColor(face);

    // Up: only the normal face inside the raised frame.
    auto up = PixelCanvas::Paint(*button);
    for (Pixel p : {Pixel{0, 0, cl3DLight},
                    {50, 0, cl3DLight},
                    {0, 12, cl3DLight},
                    {104, 24, cl3DDkShadow},
                    {104, 0, cl3DDkShadow},
                    {1, 1, clBtnHighlight},
                    {103, 23, clBtnShadow}}) {
        EXPECT_PIXEL(*up, p.x, p.y, Sys(p.colour));
    }
    EXPECT_EQ(up->Differences(PixelCanvas(105, 25, face), RECT{2, 2, 103, 23}), 0);

    // Pressed inside: the InColor face inside two flat frames. The dotted focus frame sits
    // 4 pixels in, so the face is looked at beside it.
    PressWithMouse(*button);
    ASSERT_EQ(button->FaceShift(), 1);
    auto pressed = PixelCanvas::Paint(*button);
    for (Pixel p : {Pixel{0, 0, clBtnShadow},
                    {104, 24, clBtnShadow},
                    {1, 1, clBtnFace},
                    {103, 23, clBtnFace},
                    {2, 2, kInColor},
                    {50, 12, kInColor}}) {
        EXPECT_PIXEL(*pressed, p.x, p.y, Sys(p.colour));
    }
}

TEST(PictureButton, PictureIsPlacedOrCentredAndMovesWithThePress) {
    struct Case {
        int width, height, left, top;
        bool pressed;
        int x, y;  // expected top-left corner of the 10 x 6 picture
    } cases[] = {
        {36, 36, -1, -1, false, 13, 15},  // even room
        {35, 35, -1, -1, false, 12, 14},  // 12.5 and 14.5 go down to even
        {37, 37, -1, -1, false, 14, 16},  // 13.5 and 15.5 go up to even
        {7, 20, -1, -1, false, -2, 7},    // wider than the button: -1.5 goes to -2
        {36, 36, 0, 0, false, 0, 0},      // at the left edge
        {36, 36, 4, 9, true, 5, 10},      // moved one pixel while pressed
        {36, 36, -1, -1, true, 14, 16},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        TPictureButton* button = NewButton(form, c.width, c.height);
        button->SetButtonStyle(TButtonStyle::bsNone);  // no frame over the picture
        button->SetPictureLeft(c.left);
        button->SetPictureTop(c.top);
        button->Picture().SetGraphic(RedBlock(10, 6));
        if (c.pressed) PressWithMouse(*button);
        auto canvas = PixelCanvas::Paint(*button);
        RECT red = canvas->BoundsOf(kRed);
        RECT expected{std::max(c.x, 0), std::max(c.y, 0), std::min(c.x + 10, c.width), std::min(c.y + 6, c.height)};
        EXPECT_TRUE(::EqualRect(&red, &expected))
            << c.width << "x" << c.height << " at " << c.left << "," << c.top << ": red from " << red.left << ","
            << red.top << " to " << red.right << "," << red.bottom;
        // The picture was made transparent: its bottom-left pixel shows the face.
        if (c.x >= 0) {
            EXPECT_NE(canvas->At(c.x, c.y + 5), RGB(0, 255, 0));
        }
        ::ReleaseCapture();
    }
}

TEST(PictureButton, StretchedPictureCoversTheFaceInsideTheFrame) {
    StageForm form;
    TPictureButton* button = NewButton(form, 40, 30);
    button->SetStretch(true);
    button->Picture().SetGraphic(RedBlock(10, 6));
    auto canvas = PixelCanvas::Paint(*button);
    RECT red = canvas->BoundsOf(kRed);
    EXPECT_EQ(red.left, 2);
    EXPECT_EQ(red.top, 2);
    EXPECT_EQ(red.right, 36);
    EXPECT_EQ(red.bottom, 26);
    // The transparent corner became face colour, stretched along.
    EXPECT_PIXEL(*canvas, 3, 24, Sys(clBtnFace));
}

TEST(PictureButton, CaptionIsCentredTruncatingOrPlacedAndClippedByTheButton) {
    struct Case {
        const char* caption;
        int width, height, left, top;
    } cases[] = {
        {"閉じる", 105, 25, -1, -1},
        {"設定完了（撮影モードへ）", 185, 33, -1, -1},
        {"とても長いボタンのキャプションです", 41, 25, -1, -1},  // starts left of the button
        {"OK", 60, 25, 3, 1},
        {"二行の\r\nキャプション", 80, 40, -1, -1},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        TPictureButton* button = NewButton(form, c.width, c.height);
        button->SetButtonStyle(TButtonStyle::bsNone);
        button->SetFocusStyle(TFocusStyle::bfsNone);
        button->SetCaption(c.caption);
        button->SetCaptionLeft(c.left);
        button->SetCaptionTop(c.top);
        auto canvas = PixelCanvas::Paint(*button);

        // The same text drawn by hand where it belongs.
        PixelCanvas expected(c.width, c.height, Sys(clBtnFace));
        SelectObjectGuard font(expected.dc(), button->Font().Handle());
        RECT extent{0, 0, 0, 0};
        ::DrawTextA(expected.dc(), c.caption, -1, &extent, DT_CALCRECT);
        int x = c.left != -1 ? c.left : static_cast<int>(std::trunc((c.width - extent.right) / 2.0));
        int y = c.top != -1 ? c.top : static_cast<int>(std::trunc((c.height - extent.bottom) / 2.0));
        if (c.left == -1 && c.width < extent.right) {
            EXPECT_LT(x, 0) << c.caption;
        }
        ::SetBkMode(expected.dc(), TRANSPARENT);
        ::SetTextColor(expected.dc(), Sys(button->Font().Color()));
        RECT text{x, y, c.width, c.height};
        ::DrawTextA(expected.dc(), c.caption, -1, &text, 0);
        ::GdiFlush();
        EXPECT_EQ(canvas->Differences(expected, RECT{0, 0, c.width, c.height}), 0) << c.caption;
        EXPECT_GT(expected.Differences(PixelCanvas(c.width, c.height, Sys(clBtnFace)), RECT{0, 0, c.width, c.height}),
                  0);
    }
}

TEST(PictureButton, FocusIsADottedFrameFourPixelsInOrTheInColorFace) {
    StageForm form;
    TPictureButton* button = NewButton(form, 105, 25);
    auto unfocused = PixelCanvas::Paint(*button);
    button->SetFocus();
    ASSERT_TRUE(button->Focused());
    auto focused = PixelCanvas::Paint(*button);
    // Only the ring 4 pixels in changes.
    EXPECT_EQ(focused->Differences(*unfocused, RECT{0, 0, 105, 4}), 0);
    EXPECT_EQ(focused->Differences(*unfocused, RECT{5, 5, 100, 20}), 0);
    EXPECT_GT(focused->Differences(*unfocused, RECT{4, 4, 101, 5}), 40);
    EXPECT_GT(focused->Differences(*unfocused, RECT{4, 5, 5, 20}), 6);

    button->SetFocusStyle(TFocusStyle::bfsInColor);
    auto inColor = PixelCanvas::Paint(*button);
    EXPECT_PIXEL(*inColor, 4, 4, Sys(kInColor));
    EXPECT_PIXEL(*inColor, 50, 12, Sys(kInColor));
    EXPECT_PIXEL(*inColor, 0, 0, Sys(cl3DLight));
}

TEST(PictureButton, BevelsFollowTheStyleAndTheDownAndUpLooks) {
    using B = TBevelCut;
    struct Case {
        TButtonStyle style;
        B inner, outer;          // after setting the style
        B downInner, downOuter;  // while the left button holds it
        B upInner, upOuter;      // after release (pointer not over it)
    } cases[] = {
        {TButtonStyle::bsNone, B::bvNone, B::bvNone, B::bvNone, B::bvLowered, B::bvNone, B::bvNone},
        {TButtonStyle::bsLowered, B::bvNone, B::bvLowered, B::bvLowered, B::bvLowered, B::bvNone, B::bvLowered},
        {TButtonStyle::bsRaised, B::bvNone, B::bvRaised, B::bvNone, B::bvLowered, B::bvNone, B::bvRaised},
        {TButtonStyle::bsFrame, B::bvLowered, B::bvRaised, B::bvLowered, B::bvNone, B::bvLowered, B::bvRaised},
        {TButtonStyle::bsGroove, B::bvRaised, B::bvLowered, B::bvNone, B::bvLowered, B::bvRaised, B::bvLowered},
        {TButtonStyle::bsIELike, B::bvNone, B::bvNone, B::bvNone, B::bvLowered, B::bvNone, B::bvNone},
        {TButtonStyle::bsSpBtnLike, B::bvNone, B::bvNone, B::bvNone, B::bvLowered, B::bvNone, B::bvRaised},
        {TButtonStyle::bsStdButton, B::bvNone, B::bvNone, B::bvNone, B::bvNone, B::bvNone, B::bvNone},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        TPictureButton* button = NewButton(form, 30, 20);
        button->SetButtonStyle(TButtonStyle::bsRaised);  // from a different style each time
        button->SetButtonStyle(c.style);
        const int style = static_cast<int>(c.style);
        EXPECT_EQ(button->BevelInner(), c.inner) << style;
        EXPECT_EQ(button->BevelOuter(), c.outer) << style;
        PressWithMouse(*button);
        EXPECT_EQ(button->BevelInner(), c.downInner) << style;
        EXPECT_EQ(button->BevelOuter(), c.downOuter) << style;
        ::SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
        EXPECT_EQ(button->BevelInner(), c.upInner) << style;
        EXPECT_EQ(button->BevelOuter(), c.upOuter) << style;
    }
}

TEST(PictureButton, PanelBevelsAreDrawnAsOnePixelFrames) {
    StageForm form;
    TPictureButton* button = NewButton(form, 30, 20);
    button->SetButtonStyle(TButtonStyle::bsFrame);
    button->SetBevelWidth(3);  // ignored: the button draws its bevels one pixel wide
    auto canvas = PixelCanvas::Paint(*button);
    EXPECT_PIXEL(*canvas, 0, 0, Sys(clBtnHighlight));  // outer raised
    EXPECT_PIXEL(*canvas, 29, 19, Sys(clBtnShadow));
    EXPECT_PIXEL(*canvas, 1, 1, Sys(clBtnShadow));  // inner lowered
    EXPECT_PIXEL(*canvas, 28, 18, Sys(clBtnHighlight));
    EXPECT_PIXEL(*canvas, 2, 2, Sys(clBtnFace));
}
