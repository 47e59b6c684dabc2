#include "toolkit/TImage.h"

#include "toolkit/Frame3D.h"

TImage::TImage(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this](TObject&) { PictureChanged(); };
}

void TImage::PictureChanged() {
    if (autoSize_ && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

void TImage::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    PictureChanged();
}

void TImage::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    FillSolid(dc, client, Parent() ? Parent()->Color() : Color());
    const TGraphic* graphic = picture_.Graphic();
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(dc, 0, 0);
}
