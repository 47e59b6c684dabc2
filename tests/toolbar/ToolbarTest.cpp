// Toolbars as the settings window will hold them, built in a test window: items with a
// picture and a caption that light up, press, click and show their checked state.
#include <gtest/gtest.h>

#include "tests/support/PixelCanvas.h"
#include "tests/support/ScreenSearch.h"
#include "tests/support/TestEnvironment.h"
#include "toolbar/TTBToolbar.h"
#include "toolkit/TForm.h"

namespace {
class ToolbarWindow : public TForm {
public:
    ToolbarWindow() : TForm(nullptr) {
        SetBounds(100, 100, 500, 120);
        images = new TImageList(this, 16, 16);
        for (COLORREF colour : {RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 200), RGB(200, 150, 0)}) {
            UniqueHicon icon(MakeSolidIcon(colour));
            images->AddIcon(icon.get());
        }
        bar = new TTBToolbar(this);
        bar->SetParent(this);
        bar->SetImages(images);
        const char* captions[] = {"大きいアイコン", "小さいアイコン", "一覧", "詳細"};
        for (int i = 0; i < 4; ++i) {
            auto* item = bar->Add(new TTBItem(bar, captions[i]));
            item->SetImageIndex(i);
            item->OnClick = [this, item](TObject&) { clicked.push_back(item->Caption()); };
        }
        Show();
    }

    TTBItem* Item(int index) const { return bar->Items()[static_cast<size_t>(index)]; }
    POINT Centre(int index) const {
        const RECT r = bar->ItemRect(static_cast<size_t>(index));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Mouse(UINT message, int index, WPARAM keys = 0) {
        const POINT p = Centre(index);
        ::SendMessageA(bar->Handle(), message, keys, MAKELPARAM(p.x, p.y));
    }

    TImageList* images;
    TTBToolbar* bar;
    std::vector<std::string> clicked;
};
}  // namespace

TEST(Toolbar, PointerLightsPressesAndClicksEnabledItems) {
    ToolbarWindow window;
    window.Item(3)->SetEnabled(false);

    window.Mouse(WM_MOUSEMOVE, 1);
    EXPECT_EQ(window.bar->HotItem(), 1);
    window.Mouse(WM_LBUTTONDOWN, 1, MK_LBUTTON);
    EXPECT_EQ(window.bar->PushedItem(), 1);
    window.Mouse(WM_LBUTTONUP, 1);
    EXPECT_EQ(window.bar->PushedItem(), -1);
    EXPECT_EQ(window.clicked, std::vector<std::string>({"小さいアイコン"}));

    // Pressed on one item, released over another: the press is taken back.
    window.Mouse(WM_LBUTTONDOWN, 0, MK_LBUTTON);
    window.Mouse(WM_MOUSEMOVE, 2, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 2);
    EXPECT_EQ(window.clicked.size(), 1u);

    // A greyed item neither lights up nor clicks, by the pointer or by the program.
    window.Mouse(WM_MOUSEMOVE, 3);
    EXPECT_EQ(window.bar->HotItem(), -1);
    window.Mouse(WM_LBUTTONDOWN, 3, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 3);
    window.Item(3)->Click();
    EXPECT_EQ(window.clicked.size(), 1u);
    window.Item(3)->SetEnabled(true);
    window.Mouse(WM_LBUTTONDOWN, 3, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 3);
    EXPECT_EQ(window.clicked.back(), "詳細");
}

TEST(Toolbar, CheckedItemIsMarkedUntilTheCheckMoves) {
    ToolbarWindow window;
    // As the view-style items do: the clicked item checks itself and unchecks the others.
    for (int i = 0; i < 4; ++i) {
        window.Item(i)->OnClick = [&window, i](TObject&) {
            for (int j = 0; j < 4; ++j) window.Item(j)->SetChecked(j == i);
        };
    }
    window.Item(0)->Click();
    const COLORREF checked = ColorToRGB(TBSkin(nullptr).Color(tcChecked));
    auto marked = [&](int index) {
        auto canvas = PixelCanvas::Paint(*window.bar);
        const RECT r = window.bar->ItemRect(static_cast<size_t>(index));
        // Inside the frame, beside the picture: the item's own background.
        return canvas->At(r.left + 2, r.bottom - 3) == checked;
    };
    EXPECT_TRUE(marked(0));
    EXPECT_FALSE(marked(2));

    window.Mouse(WM_LBUTTONDOWN, 2, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 2);
    window.Mouse(WM_MOUSEMOVE, 3);
    EXPECT_FALSE(marked(0));
    EXPECT_TRUE(marked(2)) << "checked, and the pointer elsewhere";
}
