#include "toolbar/PlacePopup.h"

#include <algorithm>

namespace {
// One axis: from `at` onwards, else ending at `at`, else as far as the area allows.
LONG PlaceAlong(LONG at, LONG length, LONG low, LONG high) {
    if (at + length <= high) return std::max(at, low);
    if (at - length >= low) return std::min(at, high) - length;
    return std::max(low, high - length);
}
}  // namespace

RECT PlacePopup(POINT at, SIZE size, const RECT& area) {
    const LONG left = PlaceAlong(at.x, size.cx, area.left, area.right);
    const LONG top = PlaceAlong(at.y, size.cy, area.top, area.bottom);
    return RECT{left, top, left + size.cx, top + size.cy};
}

RECT MonitorAreaAt(POINT at) {
    MONITORINFO info{sizeof info};
    if (::GetMonitorInfoA(::MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}
