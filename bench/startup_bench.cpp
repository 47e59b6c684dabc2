// Pictavo from the start of its process to its settings window painted, with an empty
// folder and with a folder of 10,000 files as the saved folder (the list reads it while the
// window is made). Beside it, the floor: a program that only shows one window, from the
// start of its process to that window painted. The start-up holds a 700 ms pause with the
// splash on screen; the budget is the floor plus that pause plus 150 ms (empty folder) or
// 300 ms (10,000 files) for making the windows and the first paint.
//
// "Painted" is judged on the screen itself: the settings window's area is captured again
// and again, and the run ends at the first capture after which the window never changed
// until it had stood still for a second and a half.
//
// The breakdown (each window made, the tree filled, the list read) comes from the program's
// own steps: the benchmark's build of the same sources (startup_steps) writes them into
// shared memory that this program made; Pictavo.exe itself carries no listener and is
// timed from outside alone. Both are measured in the same run, so the two painted figures
// show what listening costs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "bench/StartupStepLog.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/UniqueHandle.h"
#include "toolkit/WindowDC.h"

namespace {
constexpr int kFiles = 10000;
// Beyond the floor: the splash's 700 ms, plus what making the windows and the first paint
// may cost with an empty folder and with 10,000 files.
constexpr double kAllowanceEmpty = 700 + 150;
constexpr double kAllowanceFull = 700 + 300;
constexpr double kSettled = 1500;
constexpr double kGiveUp = 20000;

std::string WindowsPath(std::string path) {
    path.insert(0, "Z:");
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

struct Program {
    std::string path;
    const char* caption;              // of the window whose painting is awaited
    const char* closeCaption;         // of the window whose closing ends the program
    StartupStepLog* steps = nullptr;  // where the program writes its steps, if it does
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM found) {
    if (::IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// Both programs make all their windows on their first thread. Asking for that thread's
// windows costs the system one request; going through every window on the desktop, as
// looking for a process's windows must, costs it several for each, every few ms, and under
// Wine each waits in the same server queue as the start being timed (it added 50-90 ms to
// the settings window's painting, and almost nothing to the floor's one window).
HWND VisibleWindow(DWORD threadId, const char* caption) {
    std::vector<HWND> visible;
    ::EnumThreadWindows(threadId, CollectVisible, reinterpret_cast<LPARAM>(&visible));
    for (HWND window : visible) {
        if (WindowText(window) == caption) return window;
    }
    return nullptr;
}

// A fingerprint of what the screen shows in the rectangle.
unsigned long long ScreenPrint(const RECT& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    WindowDC screen(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    UniqueHbitmap section(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    if (!section || !dc) return 0;
    {
        SelectObjectGuard select(dc.get(), section.get());
        ::BitBlt(dc.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    }
    unsigned long long hash = 1469598103934665603ull;
    const auto* word = static_cast<const unsigned*>(bits);
    for (int i = 0; i < width * height; ++i) hash = (hash ^ (word[i] & 0xFFFFFF)) * 1099511628211ull;
    return hash;
}

struct Run {
    double splash = -1;   // the splash picture on screen
    double shown = -1;    // the settings window visible
    double painted = -1;  // the settings window as it stays
    // The program's own steps, in the order reached, from process start.
    std::vector<std::pair<std::string, double>> steps;
};

// One start, measured from just before the process is made; the program is closed after.
Run StartOnce(const Program& program, const std::string& folder) {
    Run run;
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + program.path + "\"";
    if (program.steps) program.steps->count = 0;
    const double start = Now();
    if (!::CreateProcessA(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &info)) {
        return run;
    }
    UniqueKernelHandle process(info.hProcess), thread(info.hThread);

    HWND settings = nullptr;
    while (!settings && Now() - start < kGiveUp) {
        if (run.splash < 0 && VisibleWindow(info.dwThreadId, "")) run.splash = Now() - start;
        settings = VisibleWindow(info.dwThreadId, program.caption);
        // Looking costs the program time on a machine of two cores: not too often.
        if (!settings) ::Sleep(4);
    }
    if (settings) {
        run.shown = Now() - start;
        RECT rect{};
        ::GetWindowRect(settings, &rect);
        unsigned long long last = 0;
        double changed = Now();
        for (;;) {
            const double now = Now();
            const unsigned long long print = ScreenPrint(rect);
            if (print != last) {
                last = print;
                changed = now;
            } else if (now - changed >= kSettled) {
                break;
            }
            if (now - start > kGiveUp) break;
            ::Sleep(8);
        }
        run.painted = changed - start;
    }
    if (HWND main = ::FindWindowA(nullptr, program.closeCaption)) ::PostMessageA(main, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.get(), 1);
    if (program.steps) {
        const LONG count = std::min(static_cast<LONG>(program.steps->count), StartupStepLog::kEntries);
        for (LONG i = 0; i < count; ++i) {
            const StartupStepLog::Entry& entry = program.steps->entries[i];
            run.steps.emplace_back(std::string(entry.step, strnlen(entry.step, sizeof entry.step)), entry.at - start);
        }
    }
    return run;
}

struct Figures {
    std::vector<double> splash, shown, painted;
    // Each step's times over the runs; a step reached more than once is counted apart
    // ("list read", "list read 2").
    std::map<std::string, std::vector<double>> steps;
};

// Starts the program `runs` times in `home`.
bool Measure(const Program& program, const std::string& home, int runs, Figures& figures) {
    // The first start reads the program and its libraries from disk: not counted.
    StartOnce(program, home);
    for (int i = 0; i < runs; ++i) {
        const Run run = StartOnce(program, home);
        if (run.painted < 0) return false;
        figures.splash.push_back(run.splash);
        figures.shown.push_back(run.shown);
        figures.painted.push_back(run.painted);
        std::map<std::string, int> reached;
        for (const auto& [step, at] : run.steps) {
            const int times = ++reached[step];
            figures.steps[times == 1 ? step : step + " " + std::to_string(times)].push_back(at);
        }
    }
    return true;
}

void PrintPainted(const char* what, const Figures& figures) {
    std::printf("    %-28s %7.1f ms (fastest %.1f, slowest %.1f)", what, Median(figures.painted),
                *std::min_element(figures.painted.begin(), figures.painted.end()),
                *std::max_element(figures.painted.begin(), figures.painted.end()));
}

// The steps and what is seen from outside, in the order of their medians, each with the
// time since the one before.
void PrintSteps(const Figures& figures) {
    std::vector<std::pair<double, std::string>> timeline;
    for (const auto& [step, times] : figures.steps) timeline.emplace_back(Median(times), step);
    timeline.emplace_back(Median(figures.splash), "(seen) splash on screen");
    timeline.emplace_back(Median(figures.shown), "(seen) settings window visible");
    timeline.emplace_back(Median(figures.painted), "(seen) settings window painted");
    std::sort(timeline.begin(), timeline.end());
    double before = 0;
    for (const auto& [at, step] : timeline) {
        std::printf("      %-38s %7.1f ms  %+7.1f\n", step.c_str(), at, at - before);
        before = at;
    }
}

void Print(const char* title, const Figures& figures, double floor, double allowance) {
    const double median = Median(figures.painted);
    const double budget = floor + allowance;
    std::printf("  %s\n", title);
    std::printf("    splash on screen             %7.1f ms\n", Median(figures.splash));
    std::printf("    settings window visible      %7.1f ms\n", Median(figures.shown));
    PrintPainted("settings window painted", figures);
    std::printf(", budget floor + %.0f = %.0f ms: %s\n", allowance, budget, median <= budget ? "within" : "OVER");
}

void PrintBreakdown(const char* title, const Figures& figures) {
    std::printf("  %s, step by step (the benchmark's build; median ms from process start, +since the step before)\n",
                title);
    PrintSteps(figures);
}
}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 10;
    TempFolder home, stepsHome, small, big;
    UniqueKernelHandle mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                    sizeof(StartupStepLog), kStartupStepLogName));
    auto* log =
        mapping
            ? static_cast<StartupStepLog*>(::MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(StartupStepLog)))
            : nullptr;
    if (!log) {
        std::printf("startup: cannot make the step log\n");
        return 1;
    }
    // Closing the main window ends the program. Each build sits in a folder of its own, under
    // the same name, so each reads its own settings file.
    const Program pictavo{home / "Pictavo.exe", "Pictavo 設定画面", "Form1"};
    const Program stepped{stepsHome / "Pictavo.exe", "Pictavo 設定画面", "Form1", log};
    const Program floor{WindowsPath(PICTAVO_FLOOR_EXE), "floor", "floor"};
    if (!::CopyFileA(WindowsPath(PICTAVO_EXE).c_str(), pictavo.path.c_str(), FALSE) ||
        !::CopyFileA(WindowsPath(PICTAVO_STEPS_EXE).c_str(), stepped.path.c_str(), FALSE)) {
        std::printf("startup: cannot copy %s or %s\n", PICTAVO_EXE, PICTAVO_STEPS_EXE);
        return 1;
    }
    for (int i = 0; i < kFiles; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\shot%05d.jpg", i);
        UniqueFileHandle file(
            ::CreateFileA((big.Path() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    }
    // Out of the way of the tree's and the list's tips.
    ::SetCursorPos(0, 0);

    Figures bare, empty, full, emptySteps, fullSteps;
    const std::string settings = home / "Pictavo.ini", stepsSettings = stepsHome / "Pictavo.ini";
    if (!Measure(floor, home.Path(), runs, bare)) {
        std::printf("startup: the floor program's window did not appear\n");
        return 1;
    }
    const auto saveFolder = [&](const TempFolder& folder) {
        ::WritePrivateProfileStringA("Pictavo", "Folder", folder.Path().c_str(), settings.c_str());
        ::WritePrivateProfileStringA("Pictavo", "Folder", folder.Path().c_str(), stepsSettings.c_str());
    };
    saveFolder(small);
    bool measured = Measure(pictavo, home.Path(), runs, empty) && Measure(stepped, stepsHome.Path(), runs, emptySteps);
    saveFolder(big);
    measured =
        measured && Measure(pictavo, home.Path(), runs, full) && Measure(stepped, stepsHome.Path(), runs, fullSteps);
    if (!measured) {
        std::printf("startup: the settings window did not appear\n");
        return 1;
    }
    std::printf("startup: process start to the settings window painted, median of %d\n", runs);
    PrintPainted("floor: one window painted", bare);
    std::printf("\n");
    Print("an empty folder saved", empty, Median(bare.painted), kAllowanceEmpty);
    Print("a folder of 10,000 files saved", full, Median(bare.painted), kAllowanceFull);
    PrintBreakdown("an empty folder saved", emptySteps);
    PrintBreakdown("a folder of 10,000 files saved", fullSteps);
    return 0;
}
