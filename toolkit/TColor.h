#pragma once
// A colour in one number: an RGB value (red in the low byte), or a system colour index with
// the high bit set, resolved when the colour is used (ColorToRGB).
#include <windows.h>

#include <cstdint>

using TColor = std::int32_t;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index)); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clMenuText = SystemColor(COLOR_MENUTEXT);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);

// The RGB value that a colour stands for right now.
COLORREF ColorToRGB(TColor color);
