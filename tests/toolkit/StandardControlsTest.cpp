// The system controls that hold the settings: what a caller reads is what the window shows.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "toolkit/TCheckBox.h"
#include "toolkit/TForm.h"
#include "toolkit/THotKey.h"
#include "toolkit/TRadioGroup.h"
#include "toolkit/TSpinEdit.h"

namespace {
struct Host {
    TForm form{nullptr};
    template <typename T>
    T* Add() {
        auto* control = new T(&form);
        control->SetBounds(10, 10, 200, 60);
        control->SetParent(&form);
        form.Handle();
        return control;
    }
};
}  // namespace

TEST(SpinEdit, ValueIsWhatTheTextSaysWithinTheRangeAndTheTextFollows) {
    Host host;
    auto* spin = host.Add<TSpinEdit>();
    spin->SetRange(300, 5000);
    spin->SetValue(100);
    EXPECT_EQ(spin->Text(), "300");
    spin->SetValue(5000);
    EXPECT_EQ(spin->Text(), "5000") << "no thousands separator";
    // Typed text is clamped into the range when read; no number gives back the last value.
    struct Case {
        const char* typed;
        int value;
    };
    for (const Case& c : {Case{"120", 300}, Case{"abc", 300}, Case{"4000", 4000}, Case{"", 4000}, Case{"12x", 4000},
                          Case{"99999999999", 5000}, Case{"-99999999999", 300}}) {
        ::SetWindowTextA(spin->Handle(), c.typed);
        EXPECT_EQ(spin->Value(), c.value) << c.typed;
        EXPECT_EQ(spin->Text(), std::to_string(c.value)) << c.typed;
    }
}

TEST(SpinEdit, UpDownButtonsStepWithinTheRange) {
    Host host;
    auto* spin = host.Add<TSpinEdit>();
    spin->SetRange(1, 9);
    spin->SetValue(9);
    ::SendMessageA(spin->UpDownHandle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(spin->Value(), 9);
    ::SendMessageA(spin->UpDownHandle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(spin->Value(), 8);
}

TEST(CheckBox, SettingAnotherStateRunsTheClickHandlingOnce) {
    Host host;
    auto* box = host.Add<TCheckBox>();
    int clicks = 0;
    box->OnClick = [&](TObject&) { ++clicks; };
    box->SetChecked(false);
    EXPECT_EQ(clicks, 0);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(::SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    // A click by the user toggles the box and runs the same handling.
    ::SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST(RadioGroup, OneButtonCheckedAtATimeAndItemIndexReadsTheButtons) {
    Host host;
    auto* group = host.Add<TRadioGroup>();
    group->SetColumns(3);
    group->SetItems({"BMP", "JPEG", "AVI"});
    EXPECT_EQ(group->ItemIndex(), -1);
    group->SetItemIndex(0);
    int clicks = 0;
    group->OnClick = [&](TObject&) { ++clicks; };
    HWND avi = ::FindWindowExA(group->Handle(), nullptr, "Button", "AVI");
    ASSERT_NE(avi, nullptr);
    ::SendMessageA(avi, BM_CLICK, 0, 0);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
    HWND bmp = ::FindWindowExA(group->Handle(), nullptr, "Button", "BMP");
    EXPECT_EQ(::SendMessageA(bmp, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    group->SetItemIndex(7);
    EXPECT_EQ(group->ItemIndex(), -1);
}

TEST(HotKey, ShortcutRoundTripsThroughTheSystemControl) {
    Host host;
    auto* key = host.Add<THotKey>();
    const TShortCut cases[] = {scCtrl | scAlt | 'F', scShift | scCtrl | VK_F12, scAlt | '7', 0};
    for (TShortCut shortCut : cases) {
        key->SetHotKey(shortCut);
        EXPECT_EQ(key->HotKey(), shortCut);
    }
    // The control's own value carries the modifiers in its high byte.
    key->SetHotKey(scCtrl | scAlt | 'S');
    LRESULT raw = ::SendMessageA(key->Handle(), HKM_GETHOTKEY, 0, 0);
    EXPECT_EQ(LOBYTE(raw), 'S');
    EXPECT_EQ(HIBYTE(LOWORD(raw)), HOTKEYF_CONTROL | HOTKEYF_ALT);
}
