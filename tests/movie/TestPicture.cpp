#include "tests/movie/TestPicture.h"

#include "toolkit/SelectObjectGuard.h"
#include "toolkit/UniqueHandle.h"

TestPicture::TestPicture(int width, int height, const std::function<Rgb(int x, int y)>& color) {
    pixels_.Create(width, height, false);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = pixels_.Row(y);
        for (int x = 0; x < width; ++x) {
            const Rgb c = color(x, y);
            row[4 * x] = c.b;
            row[4 * x + 1] = c.g;
            row[4 * x + 2] = c.r;
            row[4 * x + 3] = 0;
        }
    }
}

Rgb TestPicture::At(int x, int y) const {
    const std::uint8_t* p = pixels_.Row(y) + 4 * x;
    return {p[2], p[1], p[0]};
}

void TestPicture::Draw(HDC dc, int x, int y) const {
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    SelectObjectGuard select(source.get(), pixels_.Handle());
    ::BitBlt(dc, x, y, Width(), Height(), source.get(), 0, 0, SRCCOPY);
}

void TestPicture::StretchDraw(HDC dc, const RECT& rect) const {
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    SelectObjectGuard select(source.get(), pixels_.Handle());
    ::StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source.get(), 0, 0, Width(),
                 Height(), SRCCOPY);
}
