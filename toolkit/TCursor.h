#pragma once
// Mouse pointer shapes as small negative numbers (crHandPoint is -21), each standing for
// one of the system's cursors.
#include <windows.h>

using TCursor = int;

constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHSplit = -14;
constexpr TCursor crNo = -18;
constexpr TCursor crHandPoint = -21;

// The system's shared cursor for a shape; crDefault and unknown shapes give the arrow.
HCURSOR CursorHandle(TCursor cursor);
