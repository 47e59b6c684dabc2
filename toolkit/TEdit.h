#pragma once
// A single-line edit box. Its text is always read from the window.
#include "toolkit/TWinControl.h"

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);

    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }

    // Longest text the user can type, in bytes (0: no limit).
    void SetMaxLength(int length);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool CommandNotification(WORD code) override;

private:
    int maxLength_ = 0;
};
