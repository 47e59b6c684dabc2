#pragma once
// A picture for the tests, standing in for the program's bitmaps: 32-bit pixels the test
// sets directly, drawn with the system's BitBlt/StretchBlt like any bitmap.
#include <cstdint>
#include <functional>
#include <utility>

#include "movie/DibSection.h"
#include "toolkit/TGraphic.h"

struct Rgb {
    std::uint8_t r, g, b;
};

class TestPicture : public TGraphic {
public:
    TestPicture() = default;
    TestPicture(int width, int height, const std::function<Rgb(int x, int y)>& color);
    // Pictures are kept in lists by the tests.
    TestPicture(TestPicture&& other) noexcept : pixels_(std::move(other.pixels_)) {}
    TestPicture& operator=(TestPicture&& other) noexcept {
        pixels_ = std::move(other.pixels_);
        return *this;
    }

    Rgb At(int x, int y) const;

    bool Empty() const override { return pixels_.Empty(); }
    int Width() const override { return pixels_.Width(); }
    int Height() const override { return pixels_.Height(); }
    void Draw(HDC dc, int x, int y) const override;
    void StretchDraw(HDC dc, const RECT& rect) const override;

private:
    DibSection pixels_;
};
