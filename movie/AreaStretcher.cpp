#include "movie/AreaStretcher.h"

#include <algorithm>
#include <cstring>

#include "toolkit/EOSError.h"

namespace {
// About 256 KB of strip: large enough that drawing it costs little per call, small enough
// to stay in the cache while the scaler reads it.
constexpr int kStripBytes = 256 * 1024;
}  // namespace

void AreaStretcher::Release() {
    stripSelection_.reset();
    stripDc_.reset();
    strip_.Reset();
    scaler_.reset();
}

void AreaStretcher::Prepare(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight) {
    if (scaler_ && scaler_->SourceWidth() == sourceWidth && scaler_->SourceHeight() == sourceHeight &&
        scaler_->TargetWidth() == targetWidth && scaler_->TargetHeight() == targetHeight) {
        return;
    }
    Release();
    scaler_ = std::make_unique<AreaScaler>(sourceWidth, sourceHeight, targetWidth, targetHeight);
    // A target row must find all its source rows in one strip, plus the row it shares with
    // the next target row.
    const int rows = std::max(kStripBytes / (sourceWidth * 4), scaler_->MaxRowsPerTargetRow() + 1);
    strip_.Create(sourceWidth, std::min(rows, sourceHeight), false);
    stripDc_.reset(::CreateCompatibleDC(nullptr));
    ThrowLastErrorIf(!stripDc_);
    stripSelection_ = std::make_unique<SelectObjectGuard>(stripDc_.get(), strip_.Handle());
    stripRows_ = strip_.Height();
}

const std::uint8_t* AreaStretcher::SourceRow(const TGraphic& graphic, int row) {
    if (row < stripTop_ || row >= stripTop_ + stripRows_) {
        // Rows are asked for in non-decreasing order, so the new strip starts at this row.
        stripTop_ = std::min(row, scaler_->SourceHeight() - stripRows_);
        ::PatBlt(stripDc_.get(), 0, 0, strip_.Width(), stripRows_, BLACKNESS);
        graphic.Draw(stripDc_.get(), 0, -stripTop_);
        ::GdiFlush();
    }
    return strip_.Row(row - stripTop_);
}

void AreaStretcher::Draw(const TGraphic& graphic, DibSection& target) {
    const int width = graphic.Empty() ? 0 : graphic.Width();
    const int height = graphic.Empty() ? 0 : graphic.Height();
    if (width <= 0 || height <= 0) {
        ::GdiFlush();
        for (int y = 0; y < target.Height(); ++y) std::memset(target.Row(y), 0, target.Width() * 4u);
        return;
    }
    Prepare(width, height, target.Width(), target.Height());
    // Force the first request to draw: the strip still holds the previous picture.
    stripTop_ = -stripRows_ - 1;
    ::GdiFlush();
    scaler_->Scale([&](int row) { return SourceRow(graphic, row); }, target.Row(0), target.Stride());
}
