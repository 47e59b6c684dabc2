#pragma once
// A font description whose GDI font is made when first asked for and remade after a change.
#include <windows.h>

#include <string>

#include "toolkit/TColor.h"
#include "toolkit/TObject.h"
#include "toolkit/UniqueHandle.h"

class TFont : public TObject {
public:
    TFont();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Character height in pixels (positive).
    int Height() const { return height_; }
    void SetHeight(int pixels);
    void SetBold(bool bold);
    void SetCharset(BYTE charset);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    void Assign(const TFont& source);
    HFONT Handle() const;

    TNotifyEvent OnChange;

private:
    void Changed();

    std::string name_;
    int height_ = 12;
    bool bold_ = false;
    BYTE charset_ = SHIFTJIS_CHARSET;
    TColor color_ = clWindowText;
    mutable UniqueHfont handle_;
};
