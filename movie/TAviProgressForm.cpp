#include "movie/TAviProgressForm.h"

TAviProgressForm::TAviProgressForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetCenterOnScreen(true);
    SetCaption("進行状況");
    SetClientSize(200, 80);

    Label1 = new TStaticText(this);
    Label1->SetCaption("圧縮ＡＶＩファイル作成中...");
    Label1->SetBounds(8, 8, 0, 0);
    Label1->SetParent(this);

    Abort1 = new TButton(this);
    Abort1->SetCaption("中断");
    Abort1->SetBounds((ClientWidth() - 72) / 2, 48, 72, 24);
    Abort1->OnClick = [this](TObject& sender) { Abort1Click(sender); };
    Abort1->SetParent(this);

    ProgressBar1 = new TProgressBar(this);
    ProgressBar1->SetRange(0, 100);
    ProgressBar1->SetPosition(0);
    ProgressBar1->SetBounds((ClientWidth() - 160) / 2, 24, 160, 16);
    ProgressBar1->SetParent(this);
}

void TAviProgressForm::Abort1Click(TObject&) { Raise(OnAbort, *this); }

void TAviProgressForm::ShowProgress(int percent) {
    ProgressBar1->SetPosition(percent);
    if (HandleAllocated()) {
        ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}
