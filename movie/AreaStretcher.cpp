#include "movie/AreaStretcher.h"

#include <algorithm>
#include <cstring>

#include "movie/DirectPixels.h"
#include "toolkit/EOSError.h"

std::size_t AreaStretcher::canvasLimit_ = 64u * 1024 * 1024;

void AreaStretcher::Release() {
    canvasSelection_.reset();
    canvasDc_.reset();
    canvas_.Reset();
    scaler_.reset();
}

void AreaStretcher::Prepare(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight, bool canvas) {
    const bool same = scaler_ && scaler_->SourceWidth() == sourceWidth && scaler_->SourceHeight() == sourceHeight &&
                      scaler_->TargetWidth() == targetWidth && scaler_->TargetHeight() == targetHeight;
    if (same && canvas == !canvas_.Empty()) return;
    Release();
    scaler_ = std::make_unique<AreaScaler>(sourceWidth, sourceHeight, targetWidth, targetHeight);
    if (!canvas) return;
    // A target row must find all its source rows in the canvas at once.
    const std::size_t rowBytes = static_cast<std::size_t>(sourceWidth) * 4;
    const int rows = std::max(static_cast<int>(std::min<std::size_t>(canvasLimit_ / rowBytes, sourceHeight)),
                              scaler_->MaxRowsPerTargetRow());
    canvas_.Create(sourceWidth, rows, false);
    canvasDc_.reset(::CreateCompatibleDC(nullptr));
    ThrowLastErrorIf(!canvasDc_);
    canvasSelection_ = std::make_unique<SelectObjectGuard>(canvasDc_.get(), canvas_.Handle());
    canvasRows_ = rows;
}

const std::uint8_t* AreaStretcher::CanvasRows(const TGraphic& graphic, int first, int count) {
    if (first < canvasTop_ || first + count > canvasTop_ + canvasRows_) {
        // Rows are asked for in non-decreasing order, so the canvas moves down to start at
        // the first row asked for (or to end with the picture).
        canvasTop_ = std::min(first, scaler_->SourceHeight() - canvasRows_);
        ::PatBlt(canvasDc_.get(), 0, 0, canvas_.Width(), canvasRows_, BLACKNESS);
        graphic.Draw(canvasDc_.get(), 0, -canvasTop_);
        ::GdiFlush();
    }
    return canvas_.Row(first - canvasTop_);
}

void AreaStretcher::Draw(const TGraphic& graphic, DibSection& target) {
    const int width = graphic.Empty() ? 0 : graphic.Width();
    const int height = graphic.Empty() ? 0 : graphic.Height();
    ::GdiFlush();
    if (width <= 0 || height <= 0) {
        for (int y = 0; y < target.Height(); ++y) std::memset(target.Row(y), 0, target.Width() * 4u);
        return;
    }
    if (const auto* direct = dynamic_cast<const DirectPixels*>(&graphic)) {
        const DibSection& pixels = direct->Pixels32();
        Prepare(width, height, target.Width(), target.Height(), false);
        scaler_->Scale([&](int first, int) { return pixels.Row(first); }, pixels.Stride(), target.Row(0),
                       target.Stride());
        return;
    }
    Prepare(width, height, target.Width(), target.Height(), true);
    // The canvas still holds the previous picture: the first request draws.
    canvasTop_ = -canvasRows_ - 1;
    scaler_->Scale([&](int first, int count) { return CanvasRows(graphic, first, count); },
                   static_cast<std::ptrdiff_t>(canvas_.Width()) * 4, target.Row(0), target.Stride());
}
