#pragma once
// The three-dimensional frame of panels and buttons: `width` rings, each with one colour
// on the top and left edges and another on the bottom and right edges. The rectangle
// shrinks by the frame's width, so frames drawn one after another nest.
#include <windows.h>

#include "toolkit/TColor.h"

void Frame3D(HDC dc, RECT& rect, TColor topLeft, TColor bottomRight, int width);

// Fills a rectangle with a colour.
void FillSolid(HDC dc, const RECT& rect, TColor color);
