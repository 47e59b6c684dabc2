#include <gtest/gtest.h>

#include <memory>

#include "tests/support/PixelCanvas.h"
#include "toolkit/BitmapDC.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TForm.h"
#include "toolkit/TImage.h"
#include "toolkit/TLabel.h"
#include "toolkit/TPanel.h"

namespace {
COLORREF Sys(TColor color) { return ColorToRGB(color); }

struct Host {
    TForm form{nullptr};
    Host() {
        form.SetBounds(100, 100, 300, 200);
        form.SetColor(RGB(10, 20, 30));
        form.Show();
    }
    // A control of the form, placed on it.
    template <typename T>
    T* Add(int left, int top, int width, int height) {
        auto* control = new T(&form);
        control->SetParent(&form);
        control->SetBounds(left, top, width, height);
        return control;
    }
};
}  // namespace

TEST(Panel, PaintsOuterThenInnerBevelAroundItsFace) {
    Host host;
    auto* panel = host.Add<TPanel>(0, 0, 40, 30);
    panel->SetColor(clWhite);
    panel->SetBevelOuter(TBevelCut::bvRaised);
    panel->SetBevelInner(TBevelCut::bvLowered);
    panel->SetBevelWidth(2);
    auto canvas = PixelCanvas::Paint(*panel);

    struct Probe {
        int x, y;
        COLORREF expected;
    } probes[] = {
        {0, 0, Sys(clBtnHighlight)},   {1, 5, Sys(clBtnHighlight)},   {39, 29, Sys(clBtnShadow)},
        {38, 10, Sys(clBtnShadow)},    {2, 2, Sys(clBtnShadow)},      {3, 10, Sys(clBtnShadow)},
        {37, 27, Sys(clBtnHighlight)}, {36, 26, Sys(clBtnHighlight)}, {4, 4, RGB(255, 255, 255)},
        {35, 25, RGB(255, 255, 255)},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(PixelCanvas::Hex(canvas->At(p.x, p.y)), PixelCanvas::Hex(p.expected)) << p.x << "," << p.y;
    }
}

TEST(Label, AutoSizeFollowsTheTextAndRightAlignedKeepsItsRightEdge) {
    Host host;
    auto* label = new TLabel(&host.form);
    label->SetParent(&host.form);
    label->SetAlignment(TAlignment::taRightJustify);
    label->SetBounds(200, 10, 50, 20);
    label->SetCaption("Version: 3.0.0");
    const int longWidth = label->Width();
    EXPECT_GT(longWidth, 30);
    EXPECT_EQ(label->Left() + label->Width(), 250);
    label->SetCaption("V");
    EXPECT_LT(label->Width(), longWidth);
    EXPECT_EQ(label->Left() + label->Width(), 250);

    // A bigger font makes a bigger label.
    const int height = label->Height();
    label->SetParentFont(false);
    label->Font().SetHeight(24);
    EXPECT_GT(label->Height(), height);
    EXPECT_EQ(label->Left() + label->Width(), 250);
}

TEST(Label, TransparentShowsTheParentsColourBehindTheText) {
    Host host;
    auto* label = new TLabel(&host.form);
    label->SetParent(&host.form);
    label->SetColor(RGB(200, 0, 0));
    label->SetCaption("i");
    EXPECT_EQ(PixelCanvas::Paint(*label)->At(0, 0), RGB(200, 0, 0));
    label->SetTransparent(true);
    EXPECT_EQ(PixelCanvas::Paint(*label)->At(0, 0), RGB(10, 20, 30));
}

TEST(Image, AutoSizeTakesThePictureSizeAndTransparentPixelsShowTheParent) {
    Host host;
    auto* image = host.Add<TImage>(5, 5, 100, 100);
    image->SetAutoSize(true);

    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(8, 6);
    {
        // Red all over, the bottom-left pixel green: green becomes the transparent colour.
        BitmapDC dc(*bitmap);
        UniqueHbrush red(::CreateSolidBrush(RGB(255, 0, 0)));
        RECT all{0, 0, 8, 6};
        ::FillRect(dc.get(), &all, red.get());
        ::SetPixel(dc.get(), 0, 5, RGB(0, 255, 0));
        ::SetPixel(dc.get(), 7, 0, RGB(0, 255, 0));
    }
    bitmap->SetTransparent(true);
    image->Picture().SetGraphic(std::move(bitmap));
    EXPECT_EQ(image->Width(), 8);
    EXPECT_EQ(image->Height(), 6);

    auto canvas = PixelCanvas::Paint(*image);
    EXPECT_EQ(canvas->At(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(canvas->At(0, 5), RGB(10, 20, 30));
    EXPECT_EQ(canvas->At(7, 0), RGB(10, 20, 30));
}

TEST(CustomControl, AcceleratorIsTheCharacterAfterASingleAmpersand) {
    struct Case {
        const char* caption;
        char ch;
        bool expected;
    } cases[] = {
        {"閉じる(&C)", 'c', true}, {"閉じる(&C)", 'C', true}, {"閉じる(&C)", 'x', false},
        {"&&A", 'a', false},       {"A&&&B", 'b', true},      {"A&&&B", 'a', false},
        {"", 'a', false},          {"終了&", 'a', false},     {"&ア", 'A', false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TCustomControl::IsAccel(c.ch, c.caption), c.expected) << c.caption << " / " << c.ch;
    }
}

TEST(CustomControl, ClicksOnlyWhenTheLeftButtonIsReleasedOverIt) {
    Host host;
    auto* panel = host.Add<TPanel>(10, 10, 40, 20);
    int clicks = 0;
    panel->OnClick = [&](TObject&) { ++clicks; };
    HWND window = panel->Handle();

    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(::GetCapture(), window);
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Released outside (negative client coordinates while captured): no click.
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(-3, 5));
    EXPECT_EQ(clicks, 1);

    // An up without a down on this control, and the right button: no click.
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ::SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
}
