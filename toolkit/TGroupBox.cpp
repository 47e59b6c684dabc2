#include "toolkit/TGroupBox.h"

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {}

void TGroupBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = "BUTTON";
    params.style |= BS_GROUPBOX | WS_CLIPCHILDREN;
    // Tab moves on into the controls inside.
    params.exStyle |= WS_EX_CONTROLPARENT;
}

LRESULT TGroupBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        // The system's group box leaves its inside unpainted.
        RECT client;
        ::GetClientRect(Handle(), &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush());
        return 1;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
