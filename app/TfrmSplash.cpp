#include "app/TfrmSplash.h"

#include "toolkit/TBitmap.h"

TfrmSplash::TfrmSplash(TComponent* owner) : TForm(owner) {
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetSystemMenu(false);
    SetColor(clBlack);
    SetCenterOnScreen(true);

    Panel1 = new TPanel(this);
    Panel1->SetBounds(0, 0, 408, 258);
    Panel1->SetBevelInner(TBevelCut::bvRaised);
    Panel1->SetBevelOuter(TBevelCut::bvLowered);
    Panel1->SetBevelWidth(2);
    Panel1->SetParent(this);

    Image1 = new TImage(this);
    Image1->SetBounds(4, 4, 400, 250);
    Image1->SetAutoSize(true);
    auto picture = std::make_unique<TBitmap>();
    picture->LoadFromResourceName(::GetModuleHandleA(nullptr), "SPLASH");
    Image1->Picture().SetGraphic(std::move(picture));
    Image1->SetParent(Panel1);

    // Auto-size: the window takes the size of its content.
    SetClientSize(408, 258);
    FormCreate(*this);
}

void TfrmSplash::FormCreate(TObject&) {
    // For the rest of the process: a drive without a medium gives an error result, not a
    // system box in the middle of a capture.
    ::SetErrorMode(SEM_FAILCRITICALERRORS);
}
