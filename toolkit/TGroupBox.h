#pragma once
// A captioned frame around other controls.
#include "toolkit/TWinControl.h"

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    // Controls inside a group box send their notifications to it; they are handled as the
    // group box's parent would handle them.
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
