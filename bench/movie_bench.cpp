// Times the assembly of a movie from full-screen frames, as the program does it when a
// recording ends (each 1024 x 768 bitmap file loaded, scaled to 320 x 240, stored as a raw
// 5-5-5 frame), beside ffmpeg doing the same scaling into the same kind of AVI from the same
// files in the same run. Then compares the frames of both, and of the system's stretched
// drawing, with an exact area average of each screen (PSNR, higher is better).
//
//   movie_bench.exe [frames] [runs]     timing and quality (default 40 frames, 5 runs)
//   movie_bench.exe --memory            peak memory after a 100- and a 1000-frame movie
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "movie/DibSection.h"
#include "movie/TMovieFrame.h"
#include "movie/TOrskAvi.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/TApplication.h"
#include "toolkit/TPicture.h"
#include "toolkit/UniqueHandle.h"

namespace {
constexpr int kScreenWidth = 1024, kScreenHeight = 768, kFrameWidth = 320, kFrameHeight = 240;

// ---- Frames: screens of a desktop with windows full of small text, the content that
// suffers most when shrunk, written as the grabber writes them (32-bit bottom-up BMP).
void PaintScreen(HDC dc, int index) {
    RECT all{0, 0, kScreenWidth, kScreenHeight};
    UniqueHbrush desk(::CreateSolidBrush(RGB(58, 110, 165)));
    ::FillRect(dc, &all, desk.get());
    for (int y = 0; y < kScreenHeight; y += 2) {
        RECT band{700, y, kScreenWidth, y + 2};
        UniqueHbrush brush(::CreateSolidBrush(RGB(40 + y / 6, 90 + y / 12, 160 - y / 8)));
        ::FillRect(dc, &band, brush.get());
    }
    UniqueHfont small(::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0,
                                    "ＭＳ Ｐゴシック"));
    UniqueHfont large(::CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0,
                                    "ＭＳ Ｐゴシック"));
    struct Window {
        int left, top, width, height;
    };
    const Window windows[] = {{20, 20, 640, 700}, {560, 80, 440, 420}, {300, 420, 700, 330}};
    for (int w = 0; w < 3; ++w) {
        const Window& win = windows[w];
        RECT frame{win.left, win.top, win.left + win.width, win.top + win.height};
        RECT title{win.left, win.top, win.left + win.width, win.top + 24};
        RECT body{win.left + 2, win.top + 24, win.left + win.width - 2, win.top + win.height - 2};
        UniqueHbrush border(::CreateSolidBrush(RGB(120, 120, 130)));
        UniqueHbrush caption(::CreateSolidBrush(RGB(10 + 60 * w, 36, 106)));
        ::FillRect(dc, &frame, border.get());
        ::FillRect(dc, &title, caption.get());
        ::FillRect(dc, &body, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetBkMode(dc, TRANSPARENT);
        SelectObjectGuard titleFont(dc, large.get());
        ::SetTextColor(dc, RGB(255, 255, 255));
        ::TextOutA(dc, win.left + 6, win.top + 2, "Pictavo 設定画面 - 文書.txt", 27);
        SelectObjectGuard bodyFont(dc, small.get());
        ::SetTextColor(dc, RGB(0, 0, 0));
        // The text scrolls a little from frame to frame, as it would on a real screen.
        const int scroll = (index * 3 + w * 7) % 16;
        for (int line = 0; win.top + 28 + line * 16 - scroll < win.top + win.height - 16; ++line) {
            char text[160];
            const int length = std::snprintf(
                text, sizeof text, "%04d 画面全体をキャプチャ: The quick brown fox jumps over the lazy dog %d",
                line + index * 3 / 16 + w * 100, (line * 7919 + index) % 1000);
            RECT r{win.left + 8, win.top + 28 + line * 16 - scroll, win.left + win.width - 8,
                   win.top + 44 + line * 16 - scroll};
            if (r.top < win.top + 26) continue;
            ::DrawTextA(dc, text, length, &r, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
        }
    }
}

void WriteBmp(const std::string& path, const DibSection& pixels) {
    const DWORD rowBytes = DWORD(pixels.Width()) * 4, imageBytes = rowBytes * DWORD(pixels.Height());
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;
    BITMAPINFOHEADER info{sizeof info, pixels.Width(), pixels.Height(), 1, 32, BI_RGB, imageBytes, 0, 0, 0, 0};
    UniqueFileHandle out(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written;
    ::WriteFile(out.get(), &file, sizeof file, &written, nullptr);
    ::WriteFile(out.get(), &info, sizeof info, &written, nullptr);
    for (int y = pixels.Height() - 1; y >= 0; --y) ::WriteFile(out.get(), pixels.Row(y), rowBytes, &written, nullptr);
}

// A frame file read straight into 32-bit pixels, for the reference frames.
class BmpPicture : public TGraphic {
public:
    bool Load(const std::string& path) {
        UniqueFileHandle in(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        BITMAPFILEHEADER file;
        BITMAPINFOHEADER info;
        DWORD read = 0;
        if (!in || !::ReadFile(in.get(), &file, sizeof file, &read, nullptr) || read != sizeof file ||
            !::ReadFile(in.get(), &info, sizeof info, &read, nullptr) || read != sizeof info || info.biBitCount != 32)
            return false;
        const int height = std::abs(info.biHeight);
        if (pixels_.Width() != info.biWidth || pixels_.Height() != height) pixels_.Create(info.biWidth, height, true);
        ::SetFilePointer(in.get(), LONG(file.bfOffBits), nullptr, FILE_BEGIN);
        // Bottom-up rows lie in the file as in the bitmap's memory.
        std::uint8_t* first = pixels_.Row(height - 1);
        return ::ReadFile(in.get(), first, DWORD(info.biWidth) * 4 * DWORD(height), &read, nullptr) != FALSE;
    }
    const DibSection& Pixels() const { return pixels_; }

    bool Empty() const override { return pixels_.Empty(); }
    int Width() const override { return pixels_.Width(); }
    int Height() const override { return pixels_.Height(); }
    void Draw(HDC dc, int x, int y) const override {
        SelectObjectGuard select(source_.get(), pixels_.Handle());
        ::BitBlt(dc, x, y, Width(), Height(), source_.get(), 0, 0, SRCCOPY);
    }
    void StretchDraw(HDC dc, const RECT& r) const override {
        SelectObjectGuard select(source_.get(), pixels_.Handle());
        ::StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source_.get(), 0, 0, Width(), Height(),
                     SRCCOPY);
    }

private:
    DibSection pixels_;
    UniqueMemoryDc source_{::CreateCompatibleDC(nullptr)};
};

// ---- Host programs (ffmpeg), run in the benchmark's folder.
std::string Host(const std::string& folder, const std::string& command) {
    return HostCommandOutput("cd '" + UnixPath(folder) + "' && " + command);
}

// ---- Quality: every frame against the exact area average of its screen, in floating point.
std::vector<double> ExactFrame(const DibSection& screen) {
    std::vector<double> out(std::size_t(kFrameWidth) * kFrameHeight * 3);
    const double sx = double(screen.Width()) / kFrameWidth, sy = double(screen.Height()) / kFrameHeight;
    for (int ty = 0; ty < kFrameHeight; ++ty) {
        const double y0 = ty * sy, y1 = y0 + sy;
        for (int tx = 0; tx < kFrameWidth; ++tx) {
            const double x0 = tx * sx, x1 = x0 + sx;
            double sum[3] = {0, 0, 0};
            for (int y = int(y0); y < y1 && y < screen.Height(); ++y) {
                const double h = std::min<double>(y + 1, y1) - std::max<double>(y, y0);
                for (int x = int(x0); x < x1 && x < screen.Width(); ++x) {
                    const double w = (std::min<double>(x + 1, x1) - std::max<double>(x, x0)) * h;
                    const std::uint8_t* p = screen.Row(y) + 4 * x;
                    sum[0] += w * p[2];
                    sum[1] += w * p[1];
                    sum[2] += w * p[0];
                }
            }
            for (int c = 0; c < 3; ++c) out[(std::size_t(ty) * kFrameWidth + tx) * 3 + c] = sum[c] / (sx * sy);
        }
    }
    return out;
}

struct Quality {
    double squares = 0;
    std::size_t samples = 0;
    void Add(const std::vector<double>& exact, const std::uint8_t* rgb) {
        for (std::size_t k = 0; k < exact.size(); ++k) {
            const double d = rgb[k] - exact[k];
            squares += d * d;
        }
        samples += exact.size();
    }
    double Psnr() const { return samples ? 10 * std::log10(255.0 * 255.0 / (squares / double(samples))) : 0; }
};

int Widen5(int value8) { return ((value8 >> 3) << 3) | (value8 >> 5); }

// The system's stretched drawing in one of its modes, stored at 5 bits a channel as a movie
// frame would be; returns top-down RGB.
std::vector<std::uint8_t> SystemStretch(const BmpPicture& screen, int mode, double& milliseconds) {
    DibSection frame;
    frame.Create(kFrameWidth, kFrameHeight, false);
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    SelectObjectGuard select(dc.get(), frame.Handle());
    const double start = Now();
    ::SetStretchBltMode(dc.get(), mode);
    ::SetBrushOrgEx(dc.get(), 0, 0, nullptr);
    screen.StretchDraw(dc.get(), RECT{0, 0, kFrameWidth, kFrameHeight});
    ::GdiFlush();
    milliseconds += Now() - start;
    std::vector<std::uint8_t> rgb(std::size_t(kFrameWidth) * kFrameHeight * 3);
    for (int y = 0; y < kFrameHeight; ++y) {
        for (int x = 0; x < kFrameWidth; ++x) {
            const std::uint8_t* p = frame.Row(y) + 4 * x;
            std::uint8_t* o = &rgb[(std::size_t(y) * kFrameWidth + x) * 3];
            o[0] = std::uint8_t(Widen5(p[2]));
            o[1] = std::uint8_t(Widen5(p[1]));
            o[2] = std::uint8_t(Widen5(p[0]));
        }
    }
    return rgb;
}

std::string MakeFolder() {
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + "pictavo-movie-bench";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string FramePath(const std::string& folder, int n) { return folder + "\\frame" + std::to_string(n) + ".bmp"; }

void MakeFrames(const std::string& folder, int count) {
    DibSection screen;
    screen.Create(kScreenWidth, kScreenHeight, true);
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    SelectObjectGuard select(dc.get(), screen.Handle());
    for (int n = 1; n <= count; ++n) {
        PaintScreen(dc.get(), n);
        ::GdiFlush();
        WriteBmp(FramePath(folder, n), screen);
    }
}

// Writes a movie the way the program does: one frame file after the other read into the
// movie's frame holder and handed to the writer. With `viaBitmap`, the frames go through
// the toolkit's general picture holder instead (a bitmap in the display's format), for
// comparison.
struct Assembly {
    double load = 0, add = 0, total = 0;
};
Assembly Assemble(const std::string& folder, const std::string& movie, int frames, int distinct,
                  bool viaBitmap = false) {
    Assembly times;
    const double start = Now();
    TOrskAvi avi(nullptr);
    avi.SetFileName(movie);
    avi.SetCompress(false);
    avi.SetFrameRate(5);
    if (!avi.Open()) return times;
    TMovieFrame frame;
    TPicture picture;
    for (int n = 0; n < frames; ++n) {
        const std::string path = FramePath(folder, n % distinct + 1);
        const double t0 = Now();
        if (viaBitmap) {
            picture.Clear();
            picture.LoadFromFile(path);
        } else {
            frame.Clear();
            frame.LoadFromFile(path);
        }
        const double t1 = Now();
        avi.AddFrame(viaBitmap ? *picture.Graphic() : static_cast<const TGraphic&>(frame));
        times.load += t1 - t0;
        times.add += Now() - t1;
    }
    avi.Close();
    times.total = Now() - start;
    return times;
}

void PrintMemory(const char* label) {
    PROCESS_MEMORY_COUNTERS counters{sizeof counters};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    std::printf("  %-28s peak working set %7.1f MB   peak pagefile %7.1f MB   working set now %7.1f MB\n", label,
                counters.PeakWorkingSetSize / 1048576.0, counters.PeakPagefileUsage / 1048576.0,
                counters.WorkingSetSize / 1048576.0);
}

int Memory(const std::string& folder) {
    constexpr int kDistinct = 20;
    MakeFrames(folder, kDistinct);
    std::printf("movie assembly, memory: frames cycled from %d distinct 1024x768 screens\n", kDistinct);
    PrintMemory("before any movie");
    for (int frames : {100, 1000}) {
        const Assembly a = Assemble(folder, folder + "\\memory.avi", frames, kDistinct);
        char label[64];
        std::snprintf(label, sizeof label, "after a %d-frame movie", frames);
        PrintMemory(label);
        std::printf("  %-28s %.2f ms a frame\n", "", a.total / frames);
    }
    return 0;
}

int Timing(const std::string& folder, int frames, int runs) {
    MakeFrames(folder, frames);
    std::printf("movie assembly: %d frames 1024x768 (32-bit BMP) -> 320x240 raw 5-5-5 AVI, median of %d runs\n", frames,
                runs);

    std::vector<double> load, add, ours, bitmapLoad, bitmapAdd, bitmapTotal, ffmpegReal, ffmpegWall;
    for (int run = 0; run < runs; ++run) {
        const Assembly a = Assemble(folder, folder + "\\pictavo.avi", frames, frames);
        load.push_back(a.load / frames);
        add.push_back(a.add / frames);
        ours.push_back(a.total / frames);
        const Assembly b = Assemble(folder, folder + "\\bitmap.avi", frames, frames, true);
        bitmapLoad.push_back(b.load / frames);
        bitmapAdd.push_back(b.add / frames);
        bitmapTotal.push_back(b.total / frames);

        const double start = Now();
        const std::string output =
            Host(folder,
                 "ffmpeg -hide_banner -nostats -benchmark -y -i frame%d.bmp -vf scale=320:240 -c:v rawvideo "
                 "-pix_fmt rgb555le ffmpeg.avi");
        ffmpegWall.push_back((Now() - start) / frames);
        const auto at = output.find("rtime=");
        if (at == std::string::npos) {
            std::printf("ffmpeg did not run: %s\n", output.c_str());
            return 1;
        }
        ffmpegReal.push_back(std::atof(output.c_str() + at + 6) * 1000 / frames);
    }
    std::printf("  %-44s %6.2f ms a frame  (load %.2f + scale and store %.2f)\n", "Pictavo (TMovieFrame + TOrskAvi)",
                Median(ours), Median(load), Median(add));
    std::printf("  %-44s %6.2f ms a frame  (load %.2f + scale and store %.2f)\n",
                "  frames through TPicture/TBitmap instead", Median(bitmapTotal), Median(bitmapLoad),
                Median(bitmapAdd));
    std::printf("  %-44s %6.2f ms a frame  (%.2f with process start)\n", "ffmpeg, same run (its own -benchmark rtime)",
                Median(ffmpegReal), Median(ffmpegWall));

    // Quality of all frames of both movies, decoded by the same decoder.
    Quality pictavo, ffmpeg, modes[3];
    double modeTimes[3] = {0, 0, 0};
    const int modeIds[3] = {BLACKONWHITE, COLORONCOLOR, HALFTONE};
    const char* modeNames[3] = {"system stretch, default mode", "system stretch, COLORONCOLOR",
                                "system stretch, HALFTONE"};
    const std::string ourRgb = Host(folder, "ffmpeg -v error -i pictavo.avi -f rawvideo -pix_fmt rgb24 -");
    const std::string theirRgb = Host(folder, "ffmpeg -v error -i ffmpeg.avi -f rawvideo -pix_fmt rgb24 -");
    const std::size_t frameBytes = std::size_t(kFrameWidth) * kFrameHeight * 3;
    if (ourRgb.size() != frameBytes * frames || theirRgb.size() != frameBytes * frames) {
        std::printf("decoding failed: %zu / %zu bytes\n", ourRgb.size(), theirRgb.size());
        return 1;
    }
    BmpPicture screen;
    for (int n = 0; n < frames; ++n) {
        screen.Load(FramePath(folder, n + 1));
        const std::vector<double> exact = ExactFrame(screen.Pixels());
        pictavo.Add(exact, reinterpret_cast<const std::uint8_t*>(ourRgb.data()) + frameBytes * n);
        ffmpeg.Add(exact, reinterpret_cast<const std::uint8_t*>(theirRgb.data()) + frameBytes * n);
        for (int m = 0; m < 3; ++m) modes[m].Add(exact, SystemStretch(screen, modeIds[m], modeTimes[m]).data());
    }
    std::printf("frame quality against an exact area average (PSNR over all frames, 5-bit channels widened):\n");
    std::printf("  %-44s %6.1f dB\n", "Pictavo (TOrskAvi)", pictavo.Psnr());
    std::printf("  %-44s %6.1f dB\n", "ffmpeg scale=320:240 (default bicubic)", ffmpeg.Psnr());
    for (int m = 0; m < 3; ++m)
        std::printf("  %-44s %6.1f dB  (%.2f ms a frame to draw)\n", modeNames[m], modes[m].Psnr(),
                    modeTimes[m] / frames);
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    TApplication application;
    application.SetTitle("Pictavo");
    const std::string folder = MakeFolder();
    int result;
    if (argc > 1 && std::string(argv[1]) == "--memory") {
        result = Memory(folder);
    } else {
        const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
        const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
        result = Timing(folder, frames, runs);
    }
    Host(folder, "rm -f frame*.bmp *.avi run.sh out");
    ::RemoveDirectoryA(folder.c_str());
    return result;
}
