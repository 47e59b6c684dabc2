#pragma once
// The system's static text control. With AutoSize on, its window takes the size of its
// text in its font when it is made and whenever AdjustSize is called.
#include "toolkit/TWinControl.h"

class TStaticText : public TWinControl {
public:
    explicit TStaticText(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    void AdjustSize();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    bool autoSize_ = true;
};
