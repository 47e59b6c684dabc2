#include "toolkit/PumpMessages.h"

#include <windows.h>

#include "toolkit/TApplication.h"

void PumpMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (TApplication::Exists() && TApplication::Instance().PreTranslate(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}
