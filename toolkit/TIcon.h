#pragma once
// An icon picture that owns its handle, draws itself with its own mask (so it is always
// transparent) and tells its user when the picture changes.
#include <windows.h>

#include <string>

#include "toolkit/TGraphic.h"
#include "toolkit/UniqueHandle.h"

class TIcon : public TGraphic {
public:
    TIcon() = default;

    bool Empty() const override { return !handle_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Draw(HDC dc, int x, int y) const override;
    void StretchDraw(HDC dc, const RECT& rect) const override;

    HICON Handle() const { return handle_.get(); }
    // Takes ownership of the handle, never a shared one (null empties the icon).
    void SetHandle(HICON icon);
    // A copy of the other icon's picture, or empty when it has none.
    void Assign(const TIcon& source);
    // The image of an ICON resource nearest to size × size (0: the system's large icon
    // size); throws when the module has no such resource.
    void LoadFromResourceName(HINSTANCE module, const std::string& name, int size = 0);

    TNotifyEvent OnChange;

private:
    UniqueHicon handle_;
    int width_ = 0;
    int height_ = 0;
};
