#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "movie/AreaScaler.h"
#include "movie/AreaStretcher.h"
#include "movie/AreaWeights.h"
#include "tests/movie/TestPicture.h"

namespace {
struct Size {
    int sourceWidth, sourceHeight, targetWidth, targetHeight;
};

// The definition, in floating point: each target pixel is the mean of the source area it
// covers, partly covered source pixels counted by the part covered.
double ExactAverage(const std::vector<std::uint8_t>& source, const Size& s, int tx, int ty, int channel) {
    const double sx = double(s.sourceWidth) / s.targetWidth, sy = double(s.sourceHeight) / s.targetHeight;
    const double x0 = tx * sx, x1 = x0 + sx, y0 = ty * sy, y1 = y0 + sy;
    double sum = 0;
    for (int y = int(y0); y < s.sourceHeight && y < y1; ++y) {
        const double h = std::min<double>(y + 1, y1) - std::max<double>(y, y0);
        for (int x = int(x0); x < s.sourceWidth && x < x1; ++x) {
            const double w = std::min<double>(x + 1, x1) - std::max<double>(x, x0);
            sum += w * h * source[(std::size_t(y) * s.sourceWidth + x) * 4 + channel];
        }
    }
    return sum / (sx * sy);
}

std::vector<std::uint8_t> RandomPixels(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> pixels(std::size_t(width) * height * 4);
    for (auto& p : pixels) p = static_cast<std::uint8_t>(random());
    return pixels;
}

std::vector<std::uint8_t> Scale(const std::vector<std::uint8_t>& source, const Size& s) {
    AreaScaler scaler(s.sourceWidth, s.sourceHeight, s.targetWidth, s.targetHeight);
    std::vector<std::uint8_t> target(std::size_t(s.targetWidth) * s.targetHeight * 4, 0xCD);
    int lastRow = -1;
    scaler.Scale(
        [&](int first, int count) {
            EXPECT_GE(first, lastRow) << "rows must come in order, a strip at a time";
            EXPECT_LE(first + count, s.sourceHeight);
            lastRow = first;
            return source.data() + std::size_t(first) * s.sourceWidth * 4;
        },
        std::ptrdiff_t(s.sourceWidth) * 4, target.data(), std::ptrdiff_t(s.targetWidth) * 4);
    return target;
}
}  // namespace

TEST(AreaWeights, SharesOfEveryTargetPixelAddUpToOneAndCoverTheSourceOnce) {
    for (auto [source, target] : std::vector<std::pair<int, int>>{
             {1024, 320}, {768, 240}, {1920, 320}, {1080, 240}, {7, 3}, {3, 7}, {320, 320}, {1, 5}, {5, 1}}) {
        AreaWeights weights(source, target);
        std::vector<double> coverage(source, 0.0);
        for (int t = 0; t < target; ++t) {
            std::uint32_t total = 0;
            for (int i = 0; i < weights.Count(t); ++i) {
                total += weights.Weights(t)[i];
                coverage[weights.First(t) + i] += double(weights.Weights(t)[i]) / AreaWeights::kOne;
            }
            EXPECT_EQ(total, AreaWeights::kOne) << source << "->" << target << " at " << t;
            EXPECT_GE(weights.First(t), 0);
            EXPECT_LE(weights.First(t) + weights.Count(t), source);
        }
        // Every source pixel is used with its full area in total.
        for (int i = 0; i < source; ++i)
            EXPECT_NEAR(coverage[i], double(target) / source, 0.01) << source << "->" << target << " pixel " << i;
    }
}

// The weights are fixed-point numbers: a result may stray a little past the nearest integer.
constexpr double kRounding = 0.75;

// Largest difference from the exact average over all pixels and colours.
double WorstError(const std::vector<std::uint8_t>& source, const Size& s,
                  const std::function<const std::uint8_t*(int x, int y)>& pixel) {
    double worst = 0;
    for (int y = 0; y < s.targetHeight; ++y) {
        for (int x = 0; x < s.targetWidth; ++x) {
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(pixel(x, y)[c] - ExactAverage(source, s, x, y, c)));
        }
    }
    return worst;
}

TEST(AreaScaler, MatchesTheExactAreaAverageWithinRounding) {
    const std::vector<Size> sizes = {
        {1024, 768, 320, 240},  // the program's screens and frames
        {1920, 1080, 320, 240}, {800, 600, 320, 240}, {333, 211, 320, 240}, {100, 50, 320, 240},  // enlarged
        {320, 240, 320, 240},                                                                     // same size: a copy
        {17, 13, 5, 4},         {5, 4, 17, 13},       {1, 1, 3, 2},
    };
    // Both ways of computing it: with SSE2 (where the processor has it) and without.
    for (bool sse2 : {true, false}) {
        AreaScaler::AllowSse2(sse2);
        for (const Size& s : sizes) {
            const auto source =
                RandomPixels(s.sourceWidth, s.sourceHeight, unsigned(s.sourceWidth * 31 + s.targetHeight));
            const auto target = Scale(source, s);
            const double worst =
                WorstError(source, s, [&](int x, int y) { return &target[(std::size_t(y) * s.targetWidth + x) * 4]; });
            EXPECT_LE(worst, kRounding) << s.sourceWidth << "x" << s.sourceHeight << " -> " << s.targetWidth << "x"
                                        << s.targetHeight << (sse2 ? " with SSE2" : " without SSE2");
            for (std::size_t k = 3; k < target.size(); k += 4) ASSERT_EQ(target[k], 0) << "unused byte";
        }
    }
    AreaScaler::AllowSse2(true);
}

TEST(AreaStretcher, ThinLinesTurnGreyInsteadOfVanishing) {
    // One-pixel black and white columns, four to a frame pixel: sampling would keep only
    // one of the two colours, averaging gives mid grey everywhere.
    TestPicture stripes(1280, 960, [](int x, int) { return x % 2 ? Rgb{255, 255, 255} : Rgb{0, 0, 0}; });
    DibSection frame;
    frame.Create(320, 240, true);
    AreaStretcher stretcher;
    stretcher.Draw(stripes, frame);
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) ASSERT_NEAR(frame.Row(y)[4 * x + 1], 127.5, 1.0) << x << "," << y;
    }
}

TEST(AreaStretcher, DrawsPicturesOfEverySizeAsTheExactAverageWholeOrStripByStrip) {
    DibSection frame;
    frame.Create(320, 240, true);
    // One stretcher for all: it must notice every change of picture size.
    AreaStretcher stretcher;
    for (std::size_t canvas : {std::size_t(64) << 20, std::size_t(64) << 10}) {
        // Pictures larger than the canvas are drawn a strip of rows at a time.
        AreaStretcher::SetCanvasLimit(canvas);
        for (Size s : std::vector<Size>{{1024, 768, 320, 240},
                                        {640, 480, 320, 240},
                                        {1024, 768, 320, 240},
                                        {33, 7, 320, 240},
                                        {4000, 90, 320, 240},
                                        {320, 240, 320, 240},
                                        {64, 2000, 320, 240}}) {
            const auto source = RandomPixels(s.sourceWidth, s.sourceHeight, unsigned(s.sourceHeight));
            TestPicture picture(s.sourceWidth, s.sourceHeight, [&](int x, int y) {
                const std::uint8_t* p = &source[(std::size_t(y) * s.sourceWidth + x) * 4];
                return Rgb{p[2], p[1], p[0]};
            });
            stretcher.Draw(picture, frame);
            EXPECT_LE(WorstError(source, s, [&](int x, int y) { return frame.Row(y) + 4 * x; }), kRounding)
                << s.sourceWidth << "x" << s.sourceHeight << " with a canvas of " << canvas << " bytes";
        }
    }
    AreaStretcher::SetCanvasLimit(std::size_t(64) << 20);
    stretcher.Draw(TestPicture(), frame);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(frame.Row(y)[4 * x] | frame.Row(y)[4 * x + 1] | frame.Row(y)[4 * x + 2], 0);
}
