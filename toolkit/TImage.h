#pragma once
// Shows a picture at its top-left corner. Where the picture is transparent (icons,
// transparent bitmaps) the parent's colour shows.
#include "toolkit/TCustomControl.h"
#include "toolkit/TPicture.h"

class TImage : public TCustomControl {
public:
    explicit TImage(TComponent* owner);

    TPicture& Picture() { return picture_; }
    // Takes the picture's size whenever the picture changes.
    void SetAutoSize(bool value);

protected:
    void Paint(HDC dc) override;

private:
    void PictureChanged();

    TPicture picture_;
    bool autoSize_ = false;
};
