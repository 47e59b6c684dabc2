#pragma once
// Shows a picture at its top-left corner, centred or stretched over the control. Where the
// picture is transparent (icons, transparent bitmaps) the parent's colour shows.
#include "toolkit/TCustomControl.h"
#include "toolkit/TPicture.h"

class TImage : public TCustomControl {
public:
    explicit TImage(TComponent* owner);

    TPicture& Picture() { return picture_; }
    // Takes the picture's size whenever the picture changes.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);

protected:
    void Paint(HDC dc) override;

private:
    void PictureChanged();

    TPicture picture_;
    bool autoSize_ = false;
    bool center_ = false;
    bool stretch_ = false;
};
