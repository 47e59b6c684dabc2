#include "toolkit/TPicture.h"

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    if (!graphic && !graphic_) return;
    graphic_ = std::move(graphic);
    Changed();
}
