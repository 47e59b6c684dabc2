#pragma once
// One button of a radio group.
#include "toolkit/TWinControl.h"

class TRadioGroup;

class TRadioButton : public TWinControl {
public:
    TRadioButton(TRadioGroup* group, const std::string& caption);

    bool Checked() const;
    void SetChecked(bool checked);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    bool CommandNotification(WORD code) override;

private:
    TRadioGroup* group_;
    bool checked_ = false;
};
