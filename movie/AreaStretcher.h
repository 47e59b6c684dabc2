#pragma once
// Draws a picture stretched into a 32-bit bitmap by exact area averaging (AreaScaler).
// A picture with direct 32-bit pixels is scaled from them as they are; any other draws
// itself at its own size into a canvas first: all of it at once (one drawing is much
// cheaper than several for bitmaps in the display's format), or a strip of rows at a time
// when it is too large for that. Canvas, scaler and device context are kept from frame to
// frame while the picture size stays the same.
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

    // Pictures up to this many bytes of 32-bit pixels are drawn whole (tests lower it).
    static void SetCanvasLimit(std::size_t bytes) { canvasLimit_ = bytes; }

private:
    void Prepare(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight, bool canvas);
    const std::uint8_t* CanvasRows(const TGraphic& graphic, int first, int count);

    static std::size_t canvasLimit_;
    std::unique_ptr<AreaScaler> scaler_;
    // Declared in this order so the canvas is deselected, then its DC deleted, then the bitmap.
    DibSection canvas_;
    UniqueMemoryDc canvasDc_;
    std::unique_ptr<SelectObjectGuard> canvasSelection_;
    int canvasTop_ = 0;
    int canvasRows_ = 0;
};
