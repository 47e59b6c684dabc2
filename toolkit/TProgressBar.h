#pragma once
// The system's progress bar: a range and a position inside it.
#include "toolkit/TWinControl.h"

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);

    void SetRange(int min, int max);
    int Position() const { return position_; }
    // Clamped to the range, as the control itself does.
    void SetPosition(int position);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};
