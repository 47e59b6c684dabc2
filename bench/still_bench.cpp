// Times a full-screen still as Pictavo takes it (CaptureToFile, and its steps one by one)
// beside the bare pipeline that any screenshot needs: GetDC, BitBlt, GetDIBits, libjpeg,
// WriteFile, with none of the program's code. Both run in turn in the same process, on
// the same busy screen, so load on the machine hits both alike. Prints medians.
// Also the still as the user takes it: from the key press (system input, as a keyboard
// gives it) to the file complete on disk, through the program's main window, its hotkey,
// the one-shot timer, the naming rule and the grab; and that path step by step: the hotkey
// message taken from the queue, the main window brought to the front, the capture command
// (Timer1 on), Timer1 firing, its handler done, the file seen. The steps are heard from
// outside the program's code: a message hook, and the handlers wrapped as TForm1 wires them.
//
//   still_bench.exe [runs]     (default 15)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

// jpeglib.h needs <cstdio> before it.
// clang-format off
#include <jpeglib.h>
// clang-format on

#include "app/SettledScreen.h"
#include "app/TForm1.h"
#include "bench/BenchTiming.h"
#include "capture/CaptureToFile.h"
#include "capture/JpegWriter.h"
#include "settings/TForm2.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/BmpFile.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/TApplication.h"
#include "toolkit/TPicture.h"
#include "toolkit/UniqueHandle.h"
#include "toolkit/WindowDC.h"

namespace {
enum Phase { kGrab, kConvert, kEncode, kWrite, kTotal, kPhases };
const char* const kPhaseNames[kPhases] = {"grab", "convert", "encode", "write", "total"};

// Times of one run, by phase; a phase a pipeline does not have stays at zero.
using Times = std::vector<double>;

class Stopwatch {
public:
    explicit Stopwatch(Times& times) : times_(times), start_(Now()), last_(start_) {}
    void Lap(Phase phase) {
        const double now = Now();
        times_[phase] += now - last_;
        last_ = now;
    }
    void Stop() { times_[kTotal] += Now() - start_; }

private:
    Times& times_;
    double start_, last_;
};

// ---- The screen the stills are taken of: a document-like window, busy enough that the
// JPEG encoder has real work (text, colours, gradients), covering most of the screen.
LRESULT CALLBACK PaintBusy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return ::DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window, &paint);
    RECT client;
    ::GetClientRect(window, &client);
    for (int y = 0; y < client.bottom; y += 4) {
        RECT band{0, y, client.right, y + 4};
        UniqueHbrush brush(::CreateSolidBrush(RGB(230 - y % 200 / 4, 235, 245 - y % 300 / 6)));
        ::FillRect(dc, &band, brush.get());
    }
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245 + 12345) >> 16; };
    for (int i = 0; i < 60; ++i) {
        UniqueHbrush brush(::CreateSolidBrush(RGB(next() % 256, next() % 256, next() % 256)));
        const int x = static_cast<int>(next() % static_cast<unsigned>(client.right));
        const int y = static_cast<int>(next() % static_cast<unsigned>(client.bottom));
        RECT box{x, y, x + 20 + static_cast<int>(next() % 200), y + 10 + static_cast<int>(next() % 120)};
        ::FillRect(dc, &box, brush.get());
    }
    ::SetBkMode(dc, TRANSPARENT);
    static const char* const words[] = {"Pictavo",  "screen", "capture", "bitmap", "JPEG",   "quality", "folder",
                                        "settings", "hotkey", "movie",   "frame",  "window", "画面",    "保存"};
    for (int y = 4, line = 0; y < client.bottom; y += 16, ++line) {
        std::string text;
        while (text.size() < 400) text += std::string(words[next() % std::size(words)]) + " ";
        ::SetTextColor(dc, RGB(next() % 128, next() % 128, next() % 128));
        ::TextOutA(dc, 8 + line % 7 * 3, y, text.c_str(), static_cast<int>(text.size()));
    }
    ::EndPaint(window, &paint);
    return 0;
}

UniqueHwnd ShowBusyWindow() {
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    UniqueHwnd window(::CreateWindowExA(0, TestWindowClass("PictavoBusyWindow", PaintBusy), "Pictavo still benchmark",
                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE, width / 20, height / 20, width * 9 / 10,
                                        height * 9 / 10, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr));
    ::UpdateWindow(window.get());
    for (int i = 0; i < 50; ++i) {
        PumpMessages();
        ::Sleep(10);
    }
    return window;
}

// ---- The bare pipeline: nothing of the program's.
struct BareGrab {
    UniqueHbitmap bitmap;
    int width = 0, height = 0;
};

BareGrab GrabBare() {
    BareGrab grab;
    grab.width = ::GetSystemMetrics(SM_CXSCREEN);
    grab.height = ::GetSystemMetrics(SM_CYSCREEN);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    grab.bitmap.reset(::CreateCompatibleBitmap(screen, grab.width, grab.height));
    HGDIOBJ old = ::SelectObject(memory, grab.bitmap.get());
    ::BitBlt(memory, 0, 0, grab.width, grab.height, screen, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return grab;
}

struct BareInfo {
    BITMAPINFOHEADER header;
    DWORD masks[256];
};

// bitCount 0: the bitmap's own format, as the system describes it.
std::vector<BYTE> BareRows(const BareGrab& grab, BareInfo& info, int bitCount, bool topDown) {
    HDC screen = ::GetDC(nullptr);
    info = {};
    info.header.biSize = sizeof info.header;
    DWORD compression = BI_RGB;
    if (bitCount == 0) {
        ::GetDIBits(screen, grab.bitmap.get(), 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
        bitCount = info.header.biBitCount;
        compression = bitCount == 16 ? BI_BITFIELDS : info.header.biCompression;
    }
    info.header = {sizeof info.header,          grab.width, topDown ? -grab.height : grab.height, 1,
                   static_cast<WORD>(bitCount), compression};
    std::vector<BYTE> rows(((grab.width * bitCount + 31) / 32) * 4 * static_cast<std::size_t>(grab.height));
    ::GetDIBits(screen, grab.bitmap.get(), 0, grab.height, rows.data(), reinterpret_cast<BITMAPINFO*>(&info),
                DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return rows;
}

std::vector<BYTE> BareEncode(const std::vector<BYTE>& rows, int width, int height) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    info.dct_method = JDCT_FLOAT;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rows.data() + info.next_scanline * static_cast<std::size_t>(width) * 4);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<BYTE> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

void BareWrite(const std::string& path, const void* head, DWORD headSize, const void* body, DWORD bodySize) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written;
    if (headSize) ::WriteFile(file, head, headSize, &written, nullptr);
    ::WriteFile(file, body, bodySize, &written, nullptr);
    ::CloseHandle(file);
}

void BareJpeg(const std::string& path, Times& times) {
    Stopwatch watch(times);
    BareGrab grab = GrabBare();
    watch.Lap(kGrab);
    BareInfo info;
    std::vector<BYTE> rows = BareRows(grab, info, 32, true);
    watch.Lap(kConvert);
    std::vector<BYTE> jpeg = BareEncode(rows, grab.width, grab.height);
    watch.Lap(kEncode);
    BareWrite(path, nullptr, 0, jpeg.data(), static_cast<DWORD>(jpeg.size()));
    watch.Lap(kWrite);
    watch.Stop();
}

void BareBmp(const std::string& path, Times& times) {
    Stopwatch watch(times);
    BareGrab grab = GrabBare();
    watch.Lap(kGrab);
    BareInfo info;
    std::vector<BYTE> rows = BareRows(grab, info, 0, false);
    watch.Lap(kConvert);
    const DWORD masks = info.header.biCompression == BI_BITFIELDS ? 12 : 0;
    std::vector<BYTE> head(14 + 40 + masks);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(head.size() + rows.size()), 0, 0, static_cast<DWORD>(head.size())};
    info.header.biSizeImage = static_cast<DWORD>(rows.size());
    std::copy_n(reinterpret_cast<BYTE*>(&file), 14, head.data());
    std::copy_n(reinterpret_cast<BYTE*>(&info), 40 + masks, head.data() + 14);
    BareWrite(path, head.data(), static_cast<DWORD>(head.size()), rows.data(), static_cast<DWORD>(rows.size()));
    watch.Lap(kWrite);
    watch.Stop();
}

// ---- The program's steps one by one, as CaptureToFile takes them.
// The working bitmap goes once the holder has its copy, as in the program.
void GrabScreenInto(TPicture& holder) {
    TBitmap bitmap;
    WindowDC screen(nullptr);
    bitmap.SetSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    CopyDCToBitmap(screen.get(), bitmap);
    holder.Assign(bitmap);
}

void StepsJpeg(const std::string& path, Times& times) {
    Stopwatch watch(times);
    TPicture holder(nullptr);
    GrabScreenInto(holder);
    watch.Lap(kGrab);
    std::vector<unsigned char> jpeg;
    {
        DibPixels rows = JpegWriter::Rows(holder.Bitmap());
        watch.Lap(kConvert);
        jpeg = JpegWriter::Compress(rows);
    }
    watch.Lap(kEncode);
    JpegWriter::Write(jpeg, path);
    watch.Lap(kWrite);
    watch.Stop();
}

void StepsBmp(const std::string& path, Times& times) {
    Stopwatch watch(times);
    TPicture holder(nullptr);
    GrabScreenInto(holder);
    watch.Lap(kGrab);
    DibPixels pixels = holder.Bitmap().Pixels();
    watch.Lap(kConvert);
    WriteBmpFile(pixels, path);
    watch.Lap(kWrite);
    watch.Stop();
}

void Whole(const std::string& path, Times& times) {
    Stopwatch watch(times);
    CaptureToFile(csWholeScreen, path, nullptr, nullptr);
    watch.Stop();
}

// ---- The program in shooting mode: Ctrl+Alt+F takes a still of the whole screen into
// the folder, as the first of the number range.
void EnterShootingMode(const std::string& folder) {
    new TForm1(&TApplication::Instance());
    Form1->ConnectSettingsWindow(*new TForm2(&TApplication::Instance()));
    Form1->SetSaveFolder(folder);
    Form2->spnSetStartNum->SetValue(0);
    Form2->spnSetEndNum->SetValue(999);
    Form1->SetStartNumber(0);
    Form1->TB_Capture_ALL->SetEnabled(true);
    Form1->HookHotKey1->RegisterShortCut(0, scCtrl | scAlt | 'F');
    Form1->HookHotKey1->SetActivate(true);
}

// Dispatches messages one at a time until the file is there: it appears complete, moved
// into place once written. False after ten seconds.
bool WaitForFile(const std::string& path) {
    const double end = Now() + 10000;
    while (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (Now() > end) return false;
        MSG message;
        if (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        }
    }
    return true;
}

// ---- The key press step by step, in ms from the keys sent.
enum KeyStep { kHotKeyTaken, kInFront, kCommand, kTimerFires, kHandled, kFileSeen, kKeySteps };
const char* const kKeyStepNames[kKeySteps] = {"WM_HOTKEY taken from the queue",
                                              "main window in front (SetForegroundWindow)",
                                              "capture command done (Timer1 on)",
                                              "Timer1 fires",
                                              "Timer1Timer done (hide, pump, raise, name, grab, write)",
                                              "file seen"};
using KeySteps = std::vector<double>;
KeySteps* keySteps = nullptr;
double keysSent = 0;

void Reached(KeyStep step) {
    if (keySteps && (*keySteps)[step] < 0) (*keySteps)[step] = Now() - keysSent;
}

LRESULT CALLBACK MessageTaken(int code, WPARAM removed, LPARAM message) {
    if (code == HC_ACTION && removed == PM_REMOVE && reinterpret_cast<MSG*>(message)->message == WM_HOTKEY)
        Reached(kHotKeyTaken);
    return ::CallNextHookEx(nullptr, code, removed, message);
}

// The hotkey's and Timer1's handlers, wrapped as TForm1 wires them, with a mark on each side.
void ListenToKeySteps() {
    static const UniqueHhook hook(::SetWindowsHookExA(WH_GETMESSAGE, MessageTaken, nullptr, ::GetCurrentThreadId()));
    THotKeyEvent hotKey = Form1->HookHotKey1->OnHotKey;
    Form1->HookHotKey1->OnHotKey = [hotKey](TObject& sender, int index) {
        Reached(kInFront);
        hotKey(sender, index);
        Reached(kCommand);
    };
    Form1->Timer1->SetOnTimer([](TObject& sender) {
        Reached(kTimerFires);
        Form1->Timer1Timer(sender);
        Reached(kHandled);
    });
}

void HotkeyStill(int mode, const std::string& path, Times& times, KeySteps& steps) {
    Form2->rgMode->SetItemIndex(mode);
    steps.assign(kKeySteps, -1);
    keySteps = &steps;
    Stopwatch watch(times);
    keysSent = Now();
    SendKeys({VK_CONTROL, VK_MENU, 'F'});
    const bool written = WaitForFile(path);
    Reached(kFileSeen);
    watch.Stop();
    keySteps = nullptr;
    if (!written) std::fprintf(stderr, "still_bench: no still from the key (%s)\n", path.c_str());
    ::DeleteFileA(path.c_str());
}

void PrintKeySteps(const char* title, const std::vector<KeySteps>& runs, double captureToFile) {
    std::printf("  %s, step by step: median ms from the keys sent, +since the step before\n", title);
    double before = 0;
    for (int step = 0; step < kKeySteps; ++step) {
        std::vector<double> values;
        for (const KeySteps& run : runs) values.push_back(run[step]);
        const double at = Median(values);
        std::printf("    %-58s %6.1f  %+6.1f\n", kKeyStepNames[step], at, at - before);
        before = at;
    }
    std::vector<double> timerWaits, handlerExtras;
    for (const KeySteps& run : runs) {
        timerWaits.push_back(run[kTimerFires] - run[kCommand]);
        handlerExtras.push_back(run[kHandled] - run[kTimerFires] - captureToFile);
    }
    std::printf("    Timer1 on to Timer1 fires (interval 1 ms asked)              %6.1f\n", Median(timerWaits));
    std::printf("    Timer1Timer beyond CaptureToFile (hide, pump, raise, name)   %6.1f\n", Median(handlerExtras));
}

// The handler's steps before the grab, each timed on its own as Timer1Timer takes them: the
// main window hidden and minimised with the messages that follow, the remembered window
// raised, the free name searched in the folder, the wait for the screen to settle (here
// with nothing to repaint).
void PrintHandlerSteps(int runs) {
    std::vector<double> hide, raise, name, settle;
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        Form1->Hide();
        Form1->SetWindowState(TWindowState::wsMinimized);
        PumpMessages();
        hide.push_back(Now() - start);
        start = Now();
        ::SetWindowPos(Form1->LastActiveWindow(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        raise.push_back(Now() - start);
        start = Now();
        std::string path;
        Form1->FindFreeFileName(Form1->SaveFolder() + Form2->MakeFileName(Form1->StartNumber()), path);
        name.push_back(Now() - start);
        start = Now();
        WaitForSettledScreen(Form1->LastActiveWindow(),
                             RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}, 1000);
        settle.push_back(Now() - start);
        Form1->SetWindowState(TWindowState::wsMaximized);
    }
    std::printf(
        "  Timer1Timer before the grab, each step alone (median ms): hide and pump %.1f, raise %.1f, "
        "free name %.1f, settle %.1f\n",
        Median(hide), Median(raise), Median(name), Median(settle));
}

struct Row {
    const char* name;
    std::function<void(Times&)> run;
    std::vector<Times> runs;
};

void Print(const Row& row) {
    std::printf("  %-28s", row.name);
    for (int phase = 0; phase < kPhases; ++phase) {
        std::vector<double> values;
        for (const Times& times : row.runs) values.push_back(times[phase]);
        const double median = Median(values);
        if (median == 0.0) {
            std::printf("%9s", "-");
        } else {
            std::printf("%9.1f", median);
        }
    }
    std::printf("\n");
}

double MedianTotal(const Row& row) {
    std::vector<double> values;
    for (const Times& times : row.runs) values.push_back(times[kTotal]);
    return Median(values);
}
}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "pictavo-still-bench\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    TApplication application;
    EnterShootingMode(folder);
    UniqueHwnd window = ShowBusyWindow();

    // Every run writes a name that does not exist yet, as a still always does (the naming
    // rule picks a free name), and the file is deleted again outside the timing.
    int serial = 0;
    auto fresh = [&](const char* extension) { return folder + std::to_string(++serial) + extension; };
    std::vector<Row> rows;
    rows.push_back({"JPEG bare pipeline", [&](Times& t) { BareJpeg(fresh(".jpg"), t); }, {}});
    rows.push_back({"JPEG Pictavo, step by step", [&](Times& t) { StepsJpeg(fresh(".jpg"), t); }, {}});
    rows.push_back({"JPEG Pictavo CaptureToFile", [&](Times& t) { Whole(fresh(".jpg"), t); }, {}});
    rows.push_back({"BMP bare pipeline", [&](Times& t) { BareBmp(fresh(".bmp"), t); }, {}});
    rows.push_back({"BMP Pictavo, step by step", [&](Times& t) { StepsBmp(fresh(".bmp"), t); }, {}});
    rows.push_back({"BMP Pictavo CaptureToFile", [&](Times& t) { Whole(fresh(".bmp"), t); }, {}});
    std::vector<KeySteps> jpegSteps, bmpSteps;
    KeySteps steps;
    bool keepSteps = false;
    ListenToKeySteps();
    rows.push_back({"JPEG key press to file",
                    [&](Times& t) {
                        HotkeyStill(kModeJpeg, folder + "000.JPEG", t, steps);
                        if (keepSteps) jpegSteps.push_back(steps);
                    },
                    {}});
    rows.push_back({"BMP key press to file",
                    [&](Times& t) {
                        HotkeyStill(kModeBmp, folder + "000.BMP", t, steps);
                        if (keepSteps) bmpSteps.push_back(steps);
                    },
                    {}});
    auto runOnce = [&](Row& row, bool keep) {
        Times times(kPhases, 0.0);
        row.run(times);
        if (keep) row.runs.push_back(times);
        for (const char* extension : {".jpg", ".bmp"})
            ::DeleteFileA((folder + std::to_string(serial) + extension).c_str());
    };

    // One run of each to warm caches and the file system, then the measured runs in
    // turn, so that a slow moment of the machine falls on every row alike.
    for (Row& row : rows) runOnce(row, false);
    keepSteps = true;
    for (int i = 0; i < runs; ++i) {
        for (Row& row : rows) runOnce(row, true);
    }

    HDC screen = ::GetDC(nullptr);
    const int depth = ::GetDeviceCaps(screen, BITSPIXEL);
    ::ReleaseDC(nullptr, screen);
    std::printf("still: full screen %dx%d at %d bits, median of %d runs, ms\n", ::GetSystemMetrics(SM_CXSCREEN),
                ::GetSystemMetrics(SM_CYSCREEN), depth, runs);
    std::printf("  %-28s", "");
    for (const char* name : kPhaseNames) std::printf("%9s", name);
    std::printf("\n");
    for (const Row& row : rows) Print(row);
    std::printf("  ratio CaptureToFile / bare: JPEG %.2f, BMP %.2f (goal: at most 1.30)\n",
                MedianTotal(rows[2]) / MedianTotal(rows[0]), MedianTotal(rows[5]) / MedianTotal(rows[3]));
    std::printf("  ratio key press to file / bare: JPEG %.2f, BMP %.2f (goal: at most 2.00)\n",
                MedianTotal(rows[6]) / MedianTotal(rows[0]), MedianTotal(rows[7]) / MedianTotal(rows[3]));
    PrintKeySteps("JPEG key press to file", jpegSteps, MedianTotal(rows[2]));
    PrintKeySteps("BMP key press to file", bmpSteps, MedianTotal(rows[5]));
    PrintHandlerSteps(runs);

    ::RemoveDirectoryA(folder.c_str());
    return 0;
}
