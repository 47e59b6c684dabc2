#pragma once
// A plain window in one colour, standing for the document the user works in.
#include "toolkit/TForm.h"

class DocumentWindow : public TForm {
public:
    explicit DocumentWindow(COLORREF color) : TForm(nullptr) {
        SetCaption("document");
        SetColor(static_cast<TColor>(color));
        SetBounds(100, 120, 300, 200);
        Show();
        Update();
    }
};
