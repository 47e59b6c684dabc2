#pragma once
// One button of a radio group; the group keeps exactly one of its buttons checked, told
// through OnPicked when the user picks an unchecked button.
#include <functional>

#include "toolkit/TButtonControl.h"

class TRadioButton : public TButtonControl {
public:
    TRadioButton(TComponent* owner, const std::string& caption);

    std::function<void(TRadioButton* sender)> OnPicked;

    void SetChecked(bool checked) { SetCheckMark(checked); }

protected:
    bool CommandNotification(WORD code) override;
};
