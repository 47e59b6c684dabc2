#pragma once
// Draws a picture stretched into a 32-bit bitmap by exact area averaging (AreaScaler). The
// picture draws itself at its own size into a strip of a few rows at a time, so a large
// screen never needs a full-size copy; strip, scaler and device context are kept from frame
// to frame while the picture size stays the same.
#include <memory>

#include "movie/AreaScaler.h"
#include "movie/DibSection.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/TGraphic.h"
#include "toolkit/UniqueHandle.h"

class AreaStretcher {
public:
    AreaStretcher() = default;
    AreaStretcher(const AreaStretcher&) = delete;
    AreaStretcher& operator=(const AreaStretcher&) = delete;

    // Fills all of target with the picture; an empty picture gives black.
    void Draw(const TGraphic& graphic, DibSection& target);
    // Gives back what is kept between frames.
    void Release();

private:
    void Prepare(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight);
    const std::uint8_t* SourceRow(const TGraphic& graphic, int row);

    std::unique_ptr<AreaScaler> scaler_;
    // Declared in this order so the strip is deselected, then its DC deleted, then the bitmap.
    DibSection strip_;
    UniqueMemoryDc stripDc_;
    std::unique_ptr<SelectObjectGuard> stripSelection_;
    int stripTop_ = 0;
    int stripRows_ = 0;
};
