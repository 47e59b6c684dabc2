// The real Pictavo.exe, started in a folder of its own and used from outside as a person
// would: the settings window filled in and confirmed, stills taken with real key presses,
// the program closed.
#include <gtest/gtest.h>

#include "tests/app/ForeignWindow.h"
#include "tests/support/BmpSummary.h"
#include "tests/support/ProgramDriver.h"
#include "tests/support/ScreenSearch.h"

namespace {
struct ClassSearch {
    DWORD processId;
    std::string className;
    HWND found = nullptr;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<ClassSearch*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ClassOf(window) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Any top-level window of the process with that class, visible or not.
HWND FindProcessWindow(DWORD processId, const std::string& className) {
    ClassSearch search{processId, className};
    ::EnumWindows(MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Types the save folder into the settings window and presses its start button: the
// program goes into shooting mode after the box that says how to come back.
void ConfirmSettings(ProgramDriver& program, HWND settings, const TempFolder& shots) {
    HWND folderGroup = ProgramDriver::FindControl(settings, "Button", "保存先フォルダの指定");
    HWND folderEdit = ProgramDriver::FindControl(folderGroup, "Edit", "");
    ASSERT_NE(folderEdit, nullptr);
    ::SendMessageA(folderEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shots.Path().c_str()));
    HWND start = ProgramDriver::FindControl(settings, "", "設定完了（撮影モードへ）");
    ASSERT_NE(start, nullptr);
    ProgramDriver::PressButton(start);

    ShownBox box;
    ASSERT_TRUE(program.AnswerBox(box, IDOK));
    EXPECT_EQ(box.caption, "情報");
    EXPECT_EQ(box.text,
              "再度設定画面を表示する場合は\r\nタスクトレイのアイコンを右クリックし、「設定」を押してください");
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(settings); }));
}

// The main window of the program that shows this window.
HWND MainWindow(HWND programWindow) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(programWindow, &processId);
    for (HWND candidate = ::FindWindowExA(nullptr, nullptr, nullptr, "Form1"); candidate;
         candidate = ::FindWindowExA(nullptr, candidate, nullptr, "Form1")) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(candidate, &owner);
        if (owner == processId) return candidate;
    }
    return nullptr;
}

// Closing the main window ends the program.
void Quit(ProgramDriver& program, HWND programWindow) {
    HWND main = MainWindow(programWindow);
    ASSERT_NE(main, nullptr);
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(std::chrono::seconds(10)));
}

// An edit box's text, which only the box itself can tell another process.
std::string EditText(HWND edit) {
    char text[1024] = {};
    ::SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Presses Ctrl+Alt+F until the still appears: the first presses may come before the
// program has registered the key.
bool StillOfTheScreenByKey(const std::string& path) {
    return PumpUntil(
        [&] {
            ProgramDriver::PressKeys("ctrl+alt+f");
            return PumpUntil([&] { return PathExists(path); }, std::chrono::seconds(2));
        },
        std::chrono::seconds(20));
}

bool StillWritten(const std::string& path) {
    return PumpUntil([&] { return ReadFileBytes(path).size() > 54; }, std::chrono::seconds(10));
}
}  // namespace

TEST(RunningProgram, StartConfirmSettingsTakeAStillByHotkeyAndQuit) {
    ProgramDriver program;
    TempFolder shots;
    ASSERT_TRUE(program.Start());

    HWND settings = program.WaitForWindow("Pictavo 設定画面", std::chrono::seconds(20));
    ASSERT_NE(settings, nullptr) << "the settings window is shown at start";
    // Owned by the hidden application window: no taskbar button anywhere.
    HWND application = ::GetWindow(settings, GW_OWNER);
    ASSERT_NE(application, nullptr);
    EXPECT_FALSE(::IsWindowVisible(application));

    ConfirmSettings(program, settings, shots);
    if (HasFatalFailure()) return;

    // Shooting mode: Ctrl+Alt+F takes a still of the whole screen, numbered from 0.
    ASSERT_TRUE(StillOfTheScreenByKey(shots / "000.BMP"));
    ASSERT_TRUE(PumpUntil([&] { return ReadFileBytes(shots / "000.BMP").size() > 54; }));
    const std::string bmp = ReadFileBytes(shots / "000.BMP");
    auto header = reinterpret_cast<const BITMAPINFOHEADER*>(bmp.data() + 14);
    EXPECT_EQ(header->biWidth, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(header->biHeight, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(program.OpenBoxes().empty());

    // Closing the main window ends the program.
    DWORD processId = 0;
    ::GetWindowThreadProcessId(settings, &processId);
    EXPECT_FALSE(::IsWindowVisible(FindProcessWindow(processId, "TApplication")));
    Quit(program, settings);
}

TEST(RunningProgram, ActiveWindowStillTakesTheWindowClickedIntoJustBeforeTheKey) {
    ProgramDriver program;
    TempFolder shots;
    ASSERT_TRUE(program.Start());
    HWND settings = program.WaitForWindow("Pictavo 設定画面", std::chrono::seconds(20));
    ASSERT_NE(settings, nullptr);
    ConfirmSettings(program, settings, shots);
    if (HasFatalFailure()) return;

    // Two programs side by side. Each still follows a real click: the key is pressed as
    // soon as the click has made its window the foreground, sooner than the foreground
    // watcher polls, and without moving the focus.
    ForeignWindow notepad("notepad.exe");
    ForeignWindow document(ForeignWindow::Document(RGB(30, 160, 60), {760, 100, 1000, 400}));
    ASSERT_TRUE(notepad.Handle() && document.Handle());
    auto clickThenKey = [](POINT at, HWND window) {
        return RunHostCommand(ClickAt(at.x, at.y)) &&
               PumpUntil([&] { return ::GetForegroundWindow() == window; }, std::chrono::seconds(2)) &&
               SendKeys({VK_CONTROL, VK_MENU, 'A'});
    };
    // Into the text, away from the document on the right.
    const RECT notepadRect = notepad.OuterRect();
    const POINT inNotepad{notepadRect.left + 100, notepadRect.top + 150};
    int number = 0;
    auto expectStillOf = [&](const ForeignWindow& window) {
        const std::string path = shots / ("00" + std::to_string(number++) + ".BMP");
        ASSERT_TRUE(StillWritten(path)) << path;
        const RECT outer = window.OuterRect();
        const BmpSummary still = ReadBmpSummary(path);
        EXPECT_EQ(still.width, outer.right - outer.left) << path;
        EXPECT_EQ(still.height, outer.bottom - outer.top) << path;
    };
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(clickThenKey(inNotepad, notepad.Handle()));
        expectStillOf(notepad);
        ASSERT_TRUE(clickThenKey(document.Centre(), document.Handle()));
        expectStillOf(document);
    }

    // With no window of the user's left the still fails; the next one after a click works.
    notepad.Close();
    document.Close();
    // Wine drops keys pressed while no window is in front, as for a moment after the last
    // window of a program closes, until the next one (the taskbar) has been activated.
    ASSERT_TRUE(PumpUntil([] { return ::GetForegroundWindow() != nullptr; }, std::chrono::seconds(10)));
    ASSERT_TRUE(SendKeys({VK_CONTROL, VK_MENU, 'A'}));
    ShownBox box;
    ASSERT_TRUE(program.AnswerBox(box, IDOK))
        << FileNamesIn(shots.Path()).size() << " stills, in front: " << ClassOf(::GetForegroundWindow());
    EXPECT_EQ(box.text, "ファイルを出力できませんでした");
    ForeignWindow next(ForeignWindow::Document(RGB(200, 40, 40), {300, 200, 700, 500}));
    ASSERT_TRUE(clickThenKey(next.Centre(), next.Handle()));
    expectStillOf(next);
    EXPECT_EQ(FileNamesIn(shots.Path()).size(), 5u);
    EXPECT_TRUE(program.OpenBoxes().empty());
}

TEST(RunningProgram, NextStartGoesStraightToShootingWithEverySettingAsItWasLeft) {
    ProgramDriver program;
    TempFolder shots;
    ASSERT_TRUE(program.Start());
    HWND settings = program.WaitForWindow("Pictavo 設定画面", std::chrono::seconds(20));
    ASSERT_NE(settings, nullptr);
    auto control = [&settings](const std::string& group, const std::string& className, const std::string& text) {
        return ProgramDriver::FindControl(ProgramDriver::FindControl(settings, "Button", group), className, text);
    };
    ::SendMessageA(control("保存形式", "Button", "JPEG"), BM_CLICK, 0, 0);
    ::SendMessageA(control("ファイル名の指定", "Button", "連番の前に文字をつける"), BM_CLICK, 0, 0);
    ::SendMessageA(control("ファイル名の指定", "Edit", ""), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("cap_"));
    ::SendMessageA(ProgramDriver::FindControl(settings, "Button", "起動時に設定画面を表示しない"), BM_CLICK, 0, 0);
    ConfirmSettings(program, settings, shots);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(StillOfTheScreenByKey(shots / "cap_000.JPEG"));
    Quit(program, settings);

    // The settings window is shown with the main window and hidden again at once; no key
    // is registered before its start button is pressed.
    ASSERT_TRUE(program.Start());
    HWND main = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            main = ::FindWindowA(nullptr, "Form1");
            return main && ::IsWindowVisible(main);
        },
        std::chrono::seconds(20)));
    settings = ::FindWindowA(nullptr, "Pictavo 設定画面");
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(::IsWindowVisible(settings));
    EXPECT_TRUE(program.OpenBoxes().empty());
    HWND probe = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    EXPECT_TRUE(::RegisterHotKey(probe, 1, MOD_CONTROL | MOD_ALT, 'F'));
    ::UnregisterHotKey(probe, 1);
    ::DestroyWindow(probe);
    EXPECT_EQ(EditText(control("保存先フォルダの指定", "Edit", "")), shots.Path());
    EXPECT_EQ(::SendMessageA(control("保存形式", "Button", "JPEG"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageA(control("ファイル名の指定", "Button", "連番の前に文字をつける"), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    EXPECT_EQ(EditText(control("ファイル名の指定", "Edit", "")), "cap_");
    Quit(program, settings);
}
