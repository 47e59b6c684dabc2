#include "tests/widgets/WidgetTestKit.h"

#include "tests/support/RealPointer.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/BitmapDC.h"
#include "toolkit/Frame3D.h"

StageForm::StageForm() : TForm(nullptr) {
    SetBounds(200, 150, 400, 300);
    SetColor(RGB(10, 20, 30));
    ParkPointer();
    Show();
    ::SetForegroundWindow(Handle());
    // In front and under its own middle: real clicks reach it.
    PumpUntil([&] {
        POINT middle{Width() / 2, Height() / 2};
        ::ClientToScreen(Handle(), &middle);
        return ::GetForegroundWindow() == Handle() && ::GetAncestor(::WindowFromPoint(middle), GA_ROOT) == Handle();
    });
}

StageForm::~StageForm() {
    if (::GetKeyState(VK_LBUTTON) & 0x8000) ReleaseLeft();
    ParkPointer();
}

std::unique_ptr<TBitmap> RedBlock(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    BitmapDC dc(*bitmap);
    FillSolid(dc.get(), RECT{0, 0, width, height}, kRed);
    ::SetPixel(dc.get(), 0, height - 1, RGB(0, 255, 0));
    return bitmap;
}
