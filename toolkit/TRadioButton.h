#pragma once
// One button of a radio group; the group keeps exactly one of its buttons checked.
#include "toolkit/TButtonControl.h"

class TRadioGroup;

class TRadioButton : public TButtonControl {
public:
    TRadioButton(TRadioGroup* group, const std::string& caption);

    void SetChecked(bool checked) { SetCheckMark(checked); }

protected:
    bool CommandNotification(WORD code) override;

private:
    TRadioGroup* group_;
};
