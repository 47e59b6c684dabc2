#include "toolkit/BufferedPaint.h"

#include <cstring>
#include <vector>

#include "toolkit/MemoryBitmap.h"
#include "toolkit/PaintDC.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/UniqueHandle.h"

namespace {
// Beyond this many pieces one pass under the whole region costs less than a pass each.
constexpr DWORD kMostPieces = 8;

// What shows of the dirty area, in client coordinates: the system's region of a paint
// context leaves out the children and whatever covers the window.
UniqueHrgn ShownRegion(HWND window, HDC dc, const RECT& dirty) {
    UniqueHrgn region(::CreateRectRgnIndirect(&dirty));
    UniqueHrgn system(::CreateRectRgn(0, 0, 0, 0));
    if (region && system && ::GetRandomRgn(dc, system.get(), SYSRGN) == 1) {
        POINT origin{0, 0};
        ::ClientToScreen(window, &origin);
        ::OffsetRgn(system.get(), -origin.x, -origin.y);
        ::CombineRgn(region.get(), region.get(), system.get(), RGN_AND);
    }
    return region;
}

std::vector<RECT> Pieces(HRGN region) {
    const DWORD size = ::GetRegionData(region, 0, nullptr);
    if (!size) return {};
    std::vector<char> data(size);
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    if (!::GetRegionData(region, size, header)) return {};
    std::vector<RECT> pieces(header->rdh.nCount);
    std::memcpy(pieces.data(), header->Buffer, pieces.size() * sizeof(RECT));
    return pieces;
}
}  // namespace

void PaintBuffered(HWND window, const std::function<void(HDC)>& draw) {
    PaintDC paint(window);
    if (!paint) return;
    RECT client;
    ::GetClientRect(window, &client);
    RECT dirty;
    if (!::IntersectRect(&dirty, &paint.dirty(), &client)) return;
    const UniqueHrgn shown = ShownRegion(window, paint.get(), dirty);
    if (!shown) {
        draw(paint.get());
        return;
    }
    const std::vector<RECT> pieces = Pieces(shown.get());
    if (pieces.empty()) return;

    UniqueHbitmap buffer = MakeMemoryBitmap(client.right, client.bottom);
    UniqueMemoryDc memory(::CreateCompatibleDC(paint.get()));
    if (!buffer || !memory) {
        draw(paint.get());
        return;
    }
    SelectObjectGuard select(memory.get(), buffer.get());
    if (pieces.size() > kMostPieces) {
        ::SelectClipRgn(memory.get(), shown.get());
        draw(memory.get());
    } else {
        for (const RECT& piece : pieces) {
            const int saved = ::SaveDC(memory.get());
            ::IntersectClipRect(memory.get(), piece.left, piece.top, piece.right, piece.bottom);
            draw(memory.get());
            ::RestoreDC(memory.get(), saved);
        }
    }
    ::BitBlt(paint.get(), dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, memory.get(),
             dirty.left, dirty.top, SRCCOPY);
}

bool DirtyCoversMost(HWND window) {
    RECT dirty, client, covered;
    if (!::GetUpdateRect(window, &dirty, FALSE)) return false;
    ::GetClientRect(window, &client);
    if (!::IntersectRect(&covered, &dirty, &client)) return false;
    const auto area = [](const RECT& r) { return static_cast<long long>(r.right - r.left) * (r.bottom - r.top); };
    return 2 * area(covered) >= area(client);
}
