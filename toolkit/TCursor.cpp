#include "toolkit/TCursor.h"

HCURSOR CursorHandle(TCursor cursor) {
    LPCSTR shape = IDC_ARROW;
    switch (cursor) {
        case crCross:
            shape = IDC_CROSS;
            break;
        case crIBeam:
            shape = IDC_IBEAM;
            break;
        case crHourGlass:
            shape = IDC_WAIT;
            break;
        case crHSplit:
            shape = IDC_SIZEWE;
            break;
        case crNo:
            shape = IDC_NO;
            break;
        case crHandPoint:
            shape = IDC_HAND;
            break;
        default:
            break;
    }
    // Shared system cursors: never destroyed.
    return ::LoadCursorA(nullptr, shape);
}
