#pragma once
// A spin box: an edit box with up and down buttons. Its value is the number its text reads
// as, clamped into the range; text that is no number gives back the value the box held
// last. The text itself is put right when the box loses the focus and whenever the value
// is read, but never under the user's fingers: "3" may be on its way to "3000". Setting a
// value clamps it. With typing off, only the buttons change it.
#include "toolkit/TEdit.h"
#include "toolkit/UniqueHandle.h"

class TSpinEdit : public TEdit {
public:
    explicit TSpinEdit(TComponent* owner);

    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    void SetRange(int minValue, int maxValue);

    int Value();
    void SetValue(int value);

    void SetAllowTyping(bool value);

    // The up-down control beside the edit box (for tests and layout).
    HWND UpDownHandle() const { return upDown_.get(); }

protected:
    void CreateWnd() override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Takes the value from the text when it reads as a number, and gives the text back:
    // the box is read once, since every message to it passes the up-down's hook as well.
    std::string ReadText();
    // Shows the value in the text and the up-down, when the text shown says otherwise.
    void ShowValue(const std::string& shown);

    int min_ = 0;
    int max_ = 100;
    // The value last held: what text that is no number gives back.
    int value_ = 0;
    bool allowTyping_ = true;
    UniqueHwnd upDown_;
};
