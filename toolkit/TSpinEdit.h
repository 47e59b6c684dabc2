#pragma once
// A spin box: an edit box with up and down buttons. Its value is the integer its text reads
// as right now (text that is no integer counts as the minimum); setting a value clamps it
// to the range. With typing off, only the buttons change it.
#include "toolkit/TEdit.h"
#include "toolkit/UniqueHandle.h"

class TSpinEdit : public TEdit {
public:
    explicit TSpinEdit(TComponent* owner);

    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    void SetRange(int minValue, int maxValue);

    int Value() const;
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
    int min_ = 0;
    int max_ = 100;
    bool allowTyping_ = true;
    UniqueHwnd upDown_;
};
