#pragma once
// A frame of a recording, read back from its bitmap file for the movie writer. The usual
// frame (32 bits a pixel, as the grabber writes it on a true-colour display) is read
// straight into the pixels that the writer scales from; other bitmaps are converted by the
// system. The pixels are kept from frame to frame, so frames of one size allocate nothing.
#include <windows.h>

#include <string>
#include <vector>

#include "movie/DibSection.h"
#include "movie/DirectPixels.h"
#include "toolkit/TGraphic.h"
#include "toolkit/UniqueHandle.h"

class TMovieFrame : public TGraphic, public DirectPixels {
public:
    TMovieFrame() = default;

    // Raises an Exception for a file that is missing, truncated or not a bitmap (every
    // header field is checked against the file's size first); the frame is empty then.
    void LoadFromFile(const std::string& path);
    void Clear() { empty_ = true; }

    bool Empty() const override { return empty_; }
    int Width() const override { return empty_ ? 0 : pixels_.Width(); }
    int Height() const override { return empty_ ? 0 : pixels_.Height(); }
    void Draw(HDC dc, int x, int y) const override;
    void StretchDraw(HDC dc, const RECT& rect) const override;
    const DibSection& Pixels32() const override { return pixels_; }

private:
    bool ReadPlain(HANDLE file, const BITMAPFILEHEADER& fileHeader, const BITMAPINFOHEADER& info, const DWORD* masks,
                   std::uint64_t fileSize, const std::string& path);
    void Convert(const std::string& path);
    void Resize(int width, int height, bool bottomUp);

    DibSection pixels_;
    bool bottomUp_ = true;
    bool empty_ = true;
};
