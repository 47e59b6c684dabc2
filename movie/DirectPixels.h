#pragma once
// A picture that hands out its pixels as 32-bit rows (blue, green, red, unused), so that
// scaling it needs no drawn copy first.
#include "movie/DibSection.h"

class DirectPixels {
public:
    virtual const DibSection& Pixels32() const = 0;

protected:
    ~DirectPixels() = default;
};
