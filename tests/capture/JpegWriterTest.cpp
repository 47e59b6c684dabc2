#include <gtest/gtest.h>

#include "capture/JpegWriter.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/EOSError.h"

namespace {
DibPixels Rows(int width, int height) {
    DibPixels rows;
    rows.header = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    rows.rows.assign(DibPixels::StrideOf(width, 32) * static_cast<std::size_t>(height), 0x80);
    return rows;
}
}  // namespace

// The library refuses these; its error must come back as an exception with a code in
// GetLastError, not end the process.
TEST(JpegWriter, LibraryErrorsBecomeExceptions) {
    for (auto [width, height] : {std::pair{0, 4}, std::pair{70000, 1}}) {
        ::SetLastError(ERROR_SUCCESS);
        try {
            JpegWriter::Compress(Rows(width, height));
            ADD_FAILURE() << width << "x" << height << " compressed";
        } catch (const EOSError& error) {
            EXPECT_EQ(error.Code(), static_cast<DWORD>(ERROR_INVALID_DATA));
            EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
        }
    }
    // And the next compression works as if nothing had happened.
    const std::vector<unsigned char> jpeg = JpegWriter::Compress(Rows(16, 16));
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);
}

TEST(JpegWriter, LargeOutputGrowsTheBufferIntact) {
    // Noise compresses badly: the output outgrows the first buffer (256 KiB) twice.
    DibPixels rows = Rows(1024, 1024);
    unsigned seed = 1;
    for (BYTE& b : rows.rows) b = static_cast<BYTE>((seed = seed * 1103515245 + 12345) >> 16);
    const std::vector<unsigned char> jpeg = JpegWriter::Compress(rows);
    ASSERT_GT(jpeg.size(), 512u * 1024);
    TempFolder folder;
    const std::string path = folder / "noise.jpg";
    JpegWriter::Write(jpeg, path);
    EXPECT_EQ(HostCommandOutput("identify -format '%wx%h %[jpeg:colorspace]' '" + UnixPath(path) + "'"), "1024x1024 2");
}
