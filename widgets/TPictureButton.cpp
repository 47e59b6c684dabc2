#include "widgets/TPictureButton.h"

#include "toolkit/Frame3D.h"
#include "toolkit/MemoryBitmap.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/TBitmap.h"
#include "toolkit/UniqueHandle.h"

namespace {
bool LeftButtonDown() { return (KeyboardShiftState() & ssLeft) != 0; }
}  // namespace

TPictureButton::TPictureButton(TComponent* owner) : TCustomPanel(owner) {
    SetBounds(0, 0, 36, 36);
    SetBevelInner(TBevelCut::bvNone);
    SetBevelOuter(TBevelCut::bvNone);
    TCustomPanel::SetColor(color_);
    picture_.OnChange = [this](TObject&) {
        if (auto* bitmap = dynamic_cast<TBitmap*>(picture_.Graphic())) bitmap->SetTransparent(true);
        Invalidate();
    };
}

int TPictureButton::CentredOffset(int room) {
    int half = room >= 0 ? room / 2 : -((-room + 1) / 2);  // rounded down
    if (room % 2 == 0) return half;
    // Exactly half way between half and half + 1: take the even one.
    return (half % 2 == 0) ? half : half + 1;
}

void TPictureButton::SetButtonStyle(TButtonStyle value) {
    if (value == buttonStyle_) return;
    buttonStyle_ = value;
    TBevelCut inner = TBevelCut::bvNone, outer = TBevelCut::bvNone;
    switch (value) {
        case TButtonStyle::bsLowered:
            outer = TBevelCut::bvLowered;
            break;
        case TButtonStyle::bsRaised:
            outer = TBevelCut::bvRaised;
            break;
        case TButtonStyle::bsFrame:
            inner = TBevelCut::bvLowered;
            outer = TBevelCut::bvRaised;
            break;
        case TButtonStyle::bsGroove:
            inner = TBevelCut::bvRaised;
            outer = TBevelCut::bvLowered;
            break;
        default:
            break;
    }
    SetBevelInner(inner);
    SetBevelOuter(outer);
    Invalidate();
}

void TPictureButton::SetColorChange(bool value) {
    if (value == colorChange_) return;
    colorChange_ = value;
    Invalidate();
}

void TPictureButton::SetFocusStyle(TFocusStyle value) {
    if (value == focusStyle_) return;
    focusStyle_ = value;
    Invalidate();
}

void TPictureButton::SetInColor(TColor value) {
    if (value == inColor_) return;
    inColor_ = value;
    Invalidate();
}

void TPictureButton::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    TCustomPanel::SetColor(value);
    Invalidate();
}

void TPictureButton::SetPictureLeft(int value) {
    if (value == pictureLeft_) return;
    pictureLeft_ = value;
    Invalidate();
}

void TPictureButton::SetPictureTop(int value) {
    if (value == pictureTop_) return;
    pictureTop_ = value;
    Invalidate();
}

void TPictureButton::SetCaptionLeft(int value) {
    if (value == captionLeft_) return;
    captionLeft_ = value;
    Invalidate();
}

void TPictureButton::SetCaptionTop(int value) {
    if (value == captionTop_) return;
    captionTop_ = value;
    Invalidate();
}

void TPictureButton::SetStretch(bool value) {
    if (value == stretch_) return;
    stretch_ = value;
    Invalidate();
}

void TPictureButton::Loaded() {
    TCustomPanel::Loaded();
    TCustomPanel::SetColor(color_);
}

void TPictureButton::ShowDownLook() {
    switch (buttonStyle_) {
        case TButtonStyle::bsNone:
        case TButtonStyle::bsRaised:
        case TButtonStyle::bsIELike:
        case TButtonStyle::bsSpBtnLike:
            SetBevelOuter(TBevelCut::bvLowered);
            break;
        case TButtonStyle::bsLowered:
            SetBevelInner(TBevelCut::bvLowered);
            break;
        case TButtonStyle::bsFrame:
            SetBevelOuter(TBevelCut::bvNone);
            break;
        case TButtonStyle::bsGroove:
            SetBevelInner(TBevelCut::bvNone);
            break;
        case TButtonStyle::bsStdButton:
            break;  // the frame follows the face shift
    }
}

void TPictureButton::ShowUpLook() {
    switch (buttonStyle_) {
        case TButtonStyle::bsNone:
            SetBevelOuter(TBevelCut::bvNone);
            break;
        case TButtonStyle::bsLowered:
            SetBevelInner(TBevelCut::bvNone);
            break;
        case TButtonStyle::bsRaised:
        case TButtonStyle::bsFrame:
            SetBevelOuter(TBevelCut::bvRaised);
            break;
        case TButtonStyle::bsGroove:
            SetBevelInner(TBevelCut::bvRaised);
            break;
        case TButtonStyle::bsIELike:
            SetBevelOuter(MouseInClient() ? TBevelCut::bvRaised : TBevelCut::bvNone);
            break;
        case TButtonStyle::bsSpBtnLike:
            SetBevelOuter(BevelOuter() == TBevelCut::bvRaised ? TBevelCut::bvNone : TBevelCut::bvRaised);
            break;
        case TButtonStyle::bsStdButton:
            break;
    }
}

void TPictureButton::Release() {
    pressed_ = 0;
    ShowUpLook();
    Repaint();
}

void TPictureButton::Click() {
    Release();
    TCustomPanel::Click();
}

void TPictureButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        if (CanFocus()) SetFocus();
        ShowDownLook();
        pressed_ = 1;
        Repaint();
    }
    TCustomPanel::MouseDown(button, shift, x, y);
}

void TPictureButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        ShowUpLook();
        pressed_ = 0;
        outside_ = 0;
        Repaint();
    }
    // Produces the click when the pointer is still over the button.
    TCustomPanel::MouseUp(button, shift, x, y);
}

void TPictureButton::MouseEnter() {
    TCustomPanel::MouseEnter();
    switch (buttonStyle_) {
        case TButtonStyle::bsIELike:
        case TButtonStyle::bsSpBtnLike:
            SetBevelOuter(LeftButtonDown() ? TBevelCut::bvLowered : TBevelCut::bvRaised);
            outside_ = 0;
            Repaint();
            break;
        case TButtonStyle::bsStdButton:
            // Held down and coming back: pressed again.
            if (MouseCapture()) {
                outside_ = 0;
                Repaint();
            }
            break;
        default:
            break;
    }
    if (colorChange_) TCustomPanel::SetColor(inColor_);
}

void TPictureButton::MouseLeave() {
    TCustomPanel::MouseLeave();
    if (buttonStyle_ == TButtonStyle::bsIELike) SetBevelOuter(TBevelCut::bvNone);
    if (buttonStyle_ == TButtonStyle::bsSpBtnLike) {
        SetBevelOuter(LeftButtonDown() ? TBevelCut::bvRaised : TBevelCut::bvNone);
    }
    if (buttonStyle_ == TButtonStyle::bsIELike || buttonStyle_ == TButtonStyle::bsSpBtnLike ||
        buttonStyle_ == TButtonStyle::bsStdButton) {
        outside_ = -pressed_;
        Repaint();
    }
    if (colorChange_) TCustomPanel::SetColor(color_);
}

void TPictureButton::KeyDown(WORD& key, TShiftState shift) {
    if (Enabled()) {
        if (key == VK_SPACE) {
            // Repeats of a held key change nothing.
            if (!pressed_) {
                pressed_ = 1;
                ShowDownLook();
                Repaint();
            }
        } else if (key == VK_RETURN) {
            ShowDownLook();
            pressed_ = 1;
            Repaint();
            try {
                Click();
            } catch (...) {
                Release();
                throw;
            }
            Release();
        } else if (pressed_) {
            // Another key lets go of a held button without a click.
            Release();
        }
    }
    TCustomPanel::KeyDown(key, shift);
}

void TPictureButton::KeyUp(WORD& key, TShiftState shift) {
    if (Enabled() && key == VK_SPACE && pressed_) {
        Release();
        Click();
        Repaint();
    }
    TCustomPanel::KeyUp(key, shift);
}

bool TPictureButton::DialogChar(char ch) {
    if (IsAccel(ch, Caption()) && Enabled() && Visible() && Parent() && ::IsWindowVisible(Parent()->Handle())) {
        Click();
        return true;
    }
    return TCustomPanel::DialogChar(ch);
}

void TPictureButton::DoEnter() {
    Invalidate();
    TCustomPanel::DoEnter();
}

void TPictureButton::DoExit() {
    // Held down by Space when the focus moved on (Tab): the press is over, without a click.
    if (pressed_ && !MouseCapture()) Release();
    Invalidate();
    TCustomPanel::DoExit();
}

void TPictureButton::Paint(HDC target) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    // Everything goes to an off-screen bitmap first, so the button never flickers.
    UniqueMemoryDc dc(::CreateCompatibleDC(target));
    UniqueHbitmap bitmap = MakeMemoryBitmap(client.right, client.bottom);
    SelectObjectGuard select(dc.get(), bitmap.get());
    PaintButton(dc.get(), client.right, client.bottom);
    ::BitBlt(target, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
}

void TPictureButton::PaintButton(HDC dc, int width, int height) {
    const int shift = FaceShift();
    RECT rect{0, 0, width, height};
    DrawBevel(dc, rect, BevelOuter(), 1);
    DrawBevel(dc, rect, BevelInner(), 1);

    TColor face = CurrentColor();
    if (pressed_) face = shift == 1 ? inColor_ : color_;
    if (focusStyle_ == TFocusStyle::bfsInColor && Focused()) face = inColor_;
    FillSolid(dc, rect, face);

    PaintPicture(dc, width, height, face, shift);
    PaintCaption(dc, width, height, shift);

    RECT frame{0, 0, width, height};
    if (buttonStyle_ == TButtonStyle::bsStdButton) {
        if (shift == 1) {
            Frame3D(dc, frame, clBtnShadow, clBtnShadow, 1);
            Frame3D(dc, frame, clBtnFace, clBtnFace, 1);
        } else {
            Frame3D(dc, frame, cl3DLight, cl3DDkShadow, 1);
            Frame3D(dc, frame, clBtnHighlight, clBtnShadow, 1);
        }
    } else {
        ::InflateRect(&frame, -shift, -shift);
    }

    if (focusStyle_ == TFocusStyle::bfsStdButton && Focused()) {
        ::InflateRect(&frame, -2, -2);
        // The dotted frame is drawn in the text colours; a blank written off the bitmap
        // sets them (white text on the face) the same way each time.
        SelectObjectGuard font(dc, Font().Handle());
        ::SetTextColor(dc, RGB(255, 255, 255));
        ::SetBkColor(dc, ColorToRGB(face));
        ::SetBkMode(dc, OPAQUE);
        ::TextOutA(dc, -1000, -1000, " ", 1);
        ::DrawFocusRect(dc, &frame);
        ::SetTextColor(dc, ColorToRGB(Font().Color()));
    }
}

void TPictureButton::PaintPicture(HDC dc, int width, int height, TColor face, int shift) {
    const TGraphic* graphic = picture_.Graphic();
    if (!graphic || graphic->Empty()) return;
    if (stretch_) {
        // Onto the face colour at the picture's own size first, so its transparent parts
        // stretch along with it.
        UniqueMemoryDc copyDc(::CreateCompatibleDC(dc));
        UniqueHbitmap copy = MakeMemoryBitmap(graphic->Width(), graphic->Height());
        SelectObjectGuard select(copyDc.get(), copy.get());
        FillSolid(copyDc.get(), RECT{0, 0, graphic->Width(), graphic->Height()}, face);
        graphic->Draw(copyDc.get(), 0, 0);
        int previous = ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, 2 + shift, 2 + shift, width - 4 - (2 + shift), height - 4 - (2 + shift), copyDc.get(), 0, 0,
                     graphic->Width(), graphic->Height(), SRCCOPY);
        ::SetStretchBltMode(dc, previous);
        return;
    }
    int x = pictureLeft_ == -1 ? CentredOffset(width - graphic->Width()) : pictureLeft_;
    int y = pictureTop_ == -1 ? CentredOffset(height - graphic->Height()) : pictureTop_;
    graphic->Draw(dc, x + shift, y + shift);
}

void TPictureButton::PaintCaption(HDC dc, int width, int height, int shift) {
    std::string caption = Caption();
    if (caption.empty()) return;
    SelectObjectGuard font(dc, Font().Handle());
    RECT extent{0, 0, 0, 0};
    ::DrawTextA(dc, caption.c_str(), -1, &extent, DT_CALCRECT);
    // Truncated toward zero, so a caption wider than the button starts left of it.
    int x = captionLeft_ == -1 ? (width - (extent.right - extent.left)) / 2 : captionLeft_;
    int y = captionTop_ == -1 ? (height - (extent.bottom - extent.top)) / 2 : captionTop_;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    RECT text{x + shift, y + shift, width, height};
    ::DrawTextA(dc, caption.c_str(), -1, &text, 0);
}
