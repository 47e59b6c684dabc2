#pragma once
// One page of a page control: a plain surface for other controls, shown while its tab is
// the selected one. Its caption is the tab's text.
#include "toolkit/TWinControl.h"

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return pageControl_; }
    // Appends the sheet to the page control's pages.
    void SetPageControl(TPageControl* pageControl);

protected:
    void CreateParams(TCreateParams& params) override;
    void Notification(TComponent& component, TOperation operation) override;

private:
    TPageControl* pageControl_ = nullptr;
};
