#pragma once
// Holds one graphic (bitmap or icon) or none, and says when it changes.
#include <memory>

#include "toolkit/TGraphic.h"
#include "toolkit/TObject.h"

class TPicture : public TObject {
public:
    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    void Clear() { SetGraphic(nullptr); }

    bool Empty() const { return !graphic_ || graphic_->Empty(); }
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // For whoever changed the graphic in place.
    void Changed() { Raise(OnChange, *this); }

    TNotifyEvent OnChange;

private:
    std::unique_ptr<TGraphic> graphic_;
};
