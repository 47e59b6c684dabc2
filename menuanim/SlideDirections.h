#pragma once
// The sides a pop-up slides in from, fixed when it is placed next to what it belongs to:
// a submenu beside its parent item, or a menu opened at a point (an empty rectangle).
#include <windows.h>

enum TSlideDirection : unsigned {
    sdLeftward = 1,
    sdRightward = 2,
    sdDownward = 4,
    sdUpward = 8,
};

// A set of TSlideDirection bits; none when the pop-up overlaps its parent on both axes.
unsigned SlideDirections(const RECT& popup, const RECT& parent, bool besideParent);
