#pragma once
// A push button painted by the program: an optional picture and a caption on a face that
// lights up in a second colour while the pointer is over it, framed either like the
// system's push button or with panel bevels.
#include <string>

#include "toolkit/TCustomPanel.h"
#include "toolkit/TPicture.h"

enum class TButtonStyle { bsNone, bsLowered, bsRaised, bsFrame, bsGroove, bsIELike, bsSpBtnLike, bsStdButton };
enum class TFocusStyle { bfsNone, bfsStdButton, bfsInColor };

class TPictureButton : public TCustomPanel {
public:
    explicit TPictureButton(TComponent* owner);

    TButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TButtonStyle value);
    // Switch the face to InColor while the pointer is over the button.
    bool ColorChange() const { return colorChange_; }
    void SetColorChange(bool value);
    TFocusStyle FocusStyle() const { return focusStyle_; }
    void SetFocusStyle(TFocusStyle value);
    // Any change of the picture repaints; a bitmap set into it is made transparent.
    TPicture& Picture() { return picture_; }
    // Face colour while hovered (with ColorChange) and while pressed with the pointer inside.
    TColor InColor() const { return inColor_; }
    void SetInColor(TColor value);
    // The normal face colour. The face's current colour (CurrentColor) follows the
    // pointer; this one stays.
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor CurrentColor() const { return TCustomPanel::Color(); }
    // -1 centres.
    int PictureLeft() const { return pictureLeft_; }
    void SetPictureLeft(int value);
    int PictureTop() const { return pictureTop_; }
    void SetPictureTop(int value);
    int CaptionLeft() const { return captionLeft_; }
    void SetCaptionLeft(int value);
    int CaptionTop() const { return captionTop_; }
    void SetCaptionTop(int value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);

    // Shows the up look and runs OnClick.
    void Click() override;

    // Pixels the face is moved by: 1 while pressed with the pointer inside, else 0.
    int FaceShift() const { return pressed_ + outside_; }
    bool Pressed() const { return pressed_ != 0; }

    // Half of the room left beside a picture, rounded to the nearest whole pixel with
    // halves going to the even neighbour (the room may be negative).
    static int CentredOffset(int room);

protected:
    void Loaded() override;
    void Paint(HDC dc) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    bool DialogChar(char ch) override;
    void DoEnter() override;
    void DoExit() override;

private:
    void ShowDownLook();
    void ShowUpLook();
    void Release();
    void PaintButton(HDC dc, int width, int height);
    void PaintPicture(HDC dc, int width, int height, TColor face, int shift);
    void PaintCaption(HDC dc, int width, int height, int shift);

    TButtonStyle buttonStyle_ = TButtonStyle::bsStdButton;
    bool colorChange_ = true;
    TFocusStyle focusStyle_ = TFocusStyle::bfsStdButton;
    TPicture picture_;
    TColor inColor_ = cl3DLight;
    TColor color_ = clBtnFace;
    int pictureLeft_ = -1;
    int pictureTop_ = -1;
    int captionLeft_ = -1;
    int captionTop_ = -1;
    bool stretch_ = false;
    // 1 while the left button or Space holds the button down.
    int pressed_ = 0;
    // -1 while held down with the pointer outside, cancelling the face shift.
    int outside_ = 0;
};
