#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "tests/support/TestEnvironment.h"
#include "toolkit/BitmapDC.h"
#include "toolkit/EOSError.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TPicture.h"

namespace {
void Fill(TBitmap& bitmap, COLORREF colour, RECT rect) {
    BitmapDC dc(bitmap);
    UniqueHbrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc.get(), &rect, brush.get());
}

void Fill(TBitmap& bitmap, COLORREF colour) { Fill(bitmap, colour, RECT{0, 0, bitmap.Width(), bitmap.Height()}); }

COLORREF PixelAt(const TBitmap& bitmap, int x, int y) {
    DibPixels pixels = bitmap.Pixels(32, true);
    const BYTE* p = pixels.rows.data() + y * pixels.Stride() + x * 4;
    return RGB(p[2], p[1], p[0]);
}

// A bitmap with four quadrants of pure colours, which survive any display depth.
void Quadrants(TBitmap& bitmap, int width, int height) {
    bitmap.SetSize(width, height);
    Fill(bitmap, RGB(255, 0, 0), {0, 0, width / 2, height / 2});
    Fill(bitmap, RGB(0, 255, 0), {width / 2, 0, width, height / 2});
    Fill(bitmap, RGB(0, 0, 255), {0, height / 2, width / 2, height});
    Fill(bitmap, RGB(255, 255, 255), {width / 2, height / 2, width, height});
}

}  // namespace

TEST(Bitmap, SizeThatCannotBeMadeRaisesAndKeepsThePicture) {
    TBitmap bitmap;
    bitmap.SetSize(8, 6);
    Fill(bitmap, RGB(255, 0, 0));
    const HBITMAP before = bitmap.Handle();
    const std::pair<int, int> sizes[] = {{0, 10}, {10, 0}, {-5, 5}, {100000, 100000}, {60000, 30000}};
    for (auto [width, height] : sizes) {
        EXPECT_THROW(bitmap.SetSize(width, height), Exception) << width << "x" << height;
    }
    EXPECT_EQ(bitmap.Handle(), before);
    EXPECT_EQ(bitmap.Width(), 8);
    EXPECT_EQ(PixelAt(bitmap, 3, 3), RGB(255, 0, 0));
}

TEST(Bitmap, AssignSharesUntilEitherSideIsDrawnInto) {
    TBitmap original;
    original.SetSize(10, 10);
    Fill(original, RGB(255, 0, 0));
    TBitmap copy;
    copy.Assign(original);
    EXPECT_EQ(copy.Handle(), original.Handle());

    Fill(copy, RGB(0, 0, 255));
    EXPECT_NE(copy.Handle(), original.Handle());
    EXPECT_EQ(PixelAt(original, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(copy, 5, 5), RGB(0, 0, 255));

    // The copy lives on after the original is gone.
    TBitmap third;
    {
        TBitmap temporary;
        temporary.SetSize(4, 4);
        Fill(temporary, RGB(0, 255, 0));
        third.Assign(temporary);
    }
    EXPECT_EQ(PixelAt(third, 1, 1), RGB(0, 255, 0));
}

// The file's headers are checked against the display in the capture tests; here the
// round trip, with rows padded to four bytes.
TEST(Bitmap, SavedFileLoadsBackPixelForPixel) {
    TempFolder folder;
    TBitmap bitmap;
    Quadrants(bitmap, 31, 17);
    const std::string path = folder / "q.bmp";
    bitmap.SaveToFile(path);

    TBitmap loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Width(), 31);
    EXPECT_EQ(loaded.Height(), 17);
    EXPECT_EQ(loaded.Pixels(32).rows, bitmap.Pixels(32).rows);
}

TEST(Bitmap, SaveReplacesAnExistingFileAndLeavesNothingElse) {
    TempFolder folder;
    const std::string path = folder / "same.bmp";
    WriteFileBytes(path, std::string(100000, 'x'));
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    bitmap.SaveToFile(path);
    EXPECT_EQ(ReadFileBytes(path).substr(0, 2), "BM");
    EXPECT_EQ(FileNamesIn(folder.Path()).size(), 1u);
}

TEST(Bitmap, FailedSaveRaisesWithTheSystemCodeLeftInLastError) {
    TempFolder folder;
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    const std::string path = folder / "missing\\x.bmp";
    try {
        bitmap.SaveToFile(path);
        FAIL() << "no error";
    } catch (const EOSError& error) {
        const DWORD code = ::GetLastError();
        EXPECT_EQ(code, error.Code());
        EXPECT_TRUE(code == ERROR_PATH_NOT_FOUND || code == ERROR_DIRECTORY) << code;
    }
    EXPECT_FALSE(PathExists(path));
}

// Every damaged file raises and leaves the bitmap as it was.
TEST(Bitmap, LoadingADamagedFileRaises) {
    TempFolder folder;
    TBitmap good;
    Quadrants(good, 16, 8);
    good.SaveToFile(folder / "good.bmp");
    const std::string valid = ReadFileBytes(folder / "good.bmp");

    auto patch = [&](std::size_t offset, auto value) {
        std::string bytes = valid;
        std::memcpy(bytes.data() + offset, &value, sizeof value);
        return bytes;
    };
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"header only", valid.substr(0, 30)},
        {"last row missing", valid.substr(0, valid.size() - 1)},
        {"not BM", "GIF89a" + valid.substr(6)},
        {"text", std::string(200, 'A')},
        {"jpeg", "\xFF\xD8\xFF\xE0" + valid.substr(4)},
        {"height far beyond the file", patch(22, int32_t{1000000})},
        {"width far beyond the file", patch(18, int32_t{0x7FFFFFFF})},
        {"both huge",
         [&] {
             std::string b = patch(18, int32_t{0x7FFFFFFF});
             std::memcpy(b.data() + 22, "\xFF\xFF\xFF\x7F", 4);
             return b;
         }()},
        {"negative width", patch(18, int32_t{-16})},
        {"zero height", patch(22, int32_t{0})},
        {"lowest height", patch(22, int32_t{INT32_MIN})},
        {"no planes", patch(26, uint16_t{0})},
        {"7 bits", patch(28, uint16_t{7})},
        {"run-length compressed", patch(30, uint32_t{BI_RLE8})},
        {"pixels beyond the end", patch(10, uint32_t{0xFFFFFFF0})},
        {"pixels inside the header", patch(10, uint32_t{20})},
        {"information header larger than the file", patch(14, uint32_t{0x7FFFFFFF})},
        {"information header too small", patch(14, uint32_t{12})},
    };
    TBitmap target;
    target.SetSize(5, 5);
    Fill(target, RGB(0, 255, 0));
    for (const Case& c : cases) {
        const std::string path = folder / "bad.bmp";
        WriteFileBytes(path, c.bytes);
        EXPECT_THROW(target.LoadFromFile(path), Exception) << c.name;
    }
    EXPECT_THROW(target.LoadFromFile(folder / "missing.bmp"), Exception);
    EXPECT_EQ(target.Width(), 5);
    EXPECT_EQ(PixelAt(target, 2, 2), RGB(0, 255, 0));
}

TEST(Bitmap, LoadsPaletteAndTopDownFilesOfOtherWriters) {
    TempFolder folder;
    // 2x2, 8 bits, top-down, a two-entry palette: red above, blue below.
    std::string bytes(14 + 40 + 8 + 8, '\0');
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(bytes.size()), 0, 0, 14 + 40 + 8};
    BITMAPINFOHEADER info{40, 2, -2, 1, 8, BI_RGB, 0, 0, 0, 2, 0};
    const RGBQUAD palette[2] = {{0, 0, 255, 0}, {255, 0, 0, 0}};
    const BYTE rows[8] = {0, 0, 0, 0, 1, 1, 0, 0};
    std::memcpy(bytes.data(), &file, 14);
    std::memcpy(bytes.data() + 14, &info, 40);
    std::memcpy(bytes.data() + 54, palette, 8);
    std::memcpy(bytes.data() + 62, rows, 8);
    WriteFileBytes(folder / "p.bmp", bytes);

    TBitmap bitmap;
    bitmap.LoadFromFile(folder / "p.bmp");
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(bitmap, 0, 1), RGB(0, 0, 255));
}

TEST(Bitmap, StretchDrawFillsTheRectangle) {
    TBitmap source;
    source.SetSize(40, 30);
    Fill(source, RGB(0, 0, 255));
    TBitmap target;
    target.SetSize(20, 20);
    Fill(target, RGB(255, 255, 255));
    {
        BitmapDC dc(target);
        source.StretchDraw(dc.get(), RECT{5, 5, 15, 10});
        EXPECT_EQ(::GetStretchBltMode(dc.get()), BLACKONWHITE);  // put back as it was
    }
    EXPECT_EQ(PixelAt(target, 5, 5), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(target, 14, 9), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(target, 15, 10), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(target, 4, 4), RGB(255, 255, 255));
}

TEST(Picture, LoadsBitmapsByExtensionOnly) {
    TempFolder folder;
    TBitmap bitmap;
    bitmap.SetSize(6, 4);
    bitmap.SaveToFile(folder / "a.BMP");
    bitmap.SaveToFile(folder / "a.jpg");  // bitmap data, but named as a JPEG

    TComponent owner(nullptr);
    auto* picture = new TPicture(&owner);
    picture->LoadFromFile(folder / "a.BMP");
    EXPECT_EQ(picture->Width(), 6);
    picture->Clear();
    EXPECT_TRUE(picture->Empty());
    EXPECT_THROW(picture->LoadFromFile(folder / "a.jpg"), Exception);
    EXPECT_THROW(picture->LoadFromFile(folder / "noextension"), Exception);
}
