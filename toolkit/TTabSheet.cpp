#include "toolkit/TTabSheet.h"

#include "toolkit/TPageControl.h"

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { SetVisible(false); }

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::SetPageControl(TPageControl* pageControl) {
    if (pageControl == pageControl_) return;
    if (pageControl_) {
        pageControl_->RemovePage(this);
        RemoveFreeNotification(pageControl_);
    }
    pageControl_ = pageControl;
    if (!pageControl_) return;
    FreeNotification(pageControl_);
    SetParent(pageControl_);
    pageControl_->InsertPage(this);
}

void TTabSheet::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.style |= WS_CLIPCHILDREN;
    // Tab moves on into the controls of the page.
    params.exStyle |= WS_EX_CONTROLPARENT;
}

void TTabSheet::Notification(TComponent& component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && &component == pageControl_) pageControl_ = nullptr;
}
