#include "tests/support/ScreenSearch.h"

#include <cstdio>
#include <cstdlib>

#include "tests/support/TestEnvironment.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/UniqueHandle.h"
#include "toolkit/WindowDC.h"

HICON MakeSolidIcon(COLORREF colour) {
    WindowDC screen(nullptr);
    UniqueHbitmap image(::CreateCompatibleBitmap(screen.get(), 32, 32));
    UniqueHbitmap mask(::CreateBitmap(32, 32, 1, 1, nullptr));
    {
        UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
        {
            SelectObjectGuard select(dc.get(), image.get());
            UniqueHbrush brush(::CreateSolidBrush(colour));
            RECT all{0, 0, 32, 32};
            ::FillRect(dc.get(), &all, brush.get());
        }
        SelectObjectGuard select(dc.get(), mask.get());
        ::PatBlt(dc.get(), 0, 0, 32, 32, BLACKNESS);
    }
    ICONINFO info{TRUE, 0, 0, mask.get(), image.get()};
    return ::CreateIconIndirect(&info);
}

COLORREF IconCentre(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return CLR_INVALID;
    UniqueHbitmap colour(info.hbmColor);
    UniqueHbitmap mask(info.hbmMask);
    if (!colour) return CLR_INVALID;
    BITMAP bm{};
    ::GetObjectA(colour.get(), sizeof bm, &bm);
    WindowDC screen(nullptr);
    UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    SelectObjectGuard select(dc.get(), colour.get());
    return ::GetPixel(dc.get(), bm.bmWidth / 2, bm.bmHeight / 2);
}

RECT FindColourOnScreen(const std::string& colour) {
    TempFolder folder;
    const std::string shot = UnixPath(folder / "shot.png");
    RunHostCommand("import -window root '" + shot + "'", std::chrono::seconds(30));
    if (const char* keep = std::getenv("PICTAVO_KEEP_SHOTS")) RunHostCommand("cp '" + shot + "' '" + keep + "'");
    // The colour white, everything else black; %@ is then the box of what is not black.
    const std::string box = HostCommandOutput("convert '" + shot + "' -fill black +opaque '" + colour +
                                              "' -fill white -opaque '" + colour + "' -format '%@' info:");
    int w = 0, h = 0, x = 0, y = 0;
    if (std::sscanf(box.c_str(), "%dx%d+%d+%d", &w, &h, &x, &y) != 4 || w <= 1) return RECT{};
    return RECT{x, y, x + w, y + h};
}

std::string ClickAt(int x, int y) {
    return "xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " sleep 0.2 click 1";
}
