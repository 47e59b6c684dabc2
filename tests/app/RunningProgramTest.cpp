// The real Pictavo.exe, started in a folder of its own and used from outside as a person
// would: the settings window confirmed, stills taken with real key presses, the program
// closed; and a user's whole journey, from the folder tree through stills and a movie to a
// start straight into shooting mode.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include "tests/app/ForeignWindow.h"
#include "tests/app/ProgramMenu.h"
#include "tests/app/RemoteControls.h"
#include "tests/support/AviReader.h"
#include "tests/support/BmpSummary.h"
#include "tests/support/ProgramDriver.h"
#include "tests/support/ScreenSearch.h"

namespace {
using std::chrono::seconds;

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

// Presses the settings window's start button: the program goes into shooting mode after
// the box that says how to come back.
void ConfirmSettings(ProgramDriver& program, HWND settings) {
    ShownBox box;
    ASSERT_TRUE(program.ConfirmSettings(settings, &box));
    EXPECT_EQ(box.caption, "情報");
    EXPECT_EQ(box.text,
              "再度設定画面を表示する場合は\r\nタスクトレイのアイコンを右クリックし、「設定」を押してください");
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
    EXPECT_TRUE(program.WaitForExit(seconds(10)));
}

// An edit box's text, which only the box itself can tell another process.
std::string EditText(HWND edit) {
    char text[1024] = {};
    ::SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

bool StillOfTheScreenByKey(const std::string& path) {
    return ProgramDriver::PressKeysUntil("ctrl+alt+f", [&] { return PathExists(path); });
}

bool StillWritten(const std::string& path) {
    return PumpUntil([&] { return ReadFileBytes(path).size() > 54; }, seconds(10));
}

// A real click into another program's window and, as soon as it is in front, the key for
// a still of the active window, without moving the focus.
::testing::AssertionResult ClickThenKey(POINT at, HWND window) {
    if (!RunHostCommand(ClickAt(at.x, at.y))) return ::testing::AssertionFailure() << "the click failed";
    if (!PumpUntil([&] { return ::GetForegroundWindow() == window; }, seconds(10))) {
        HWND under = ::WindowFromPoint(at), front = ::GetForegroundWindow();
        return ::testing::AssertionFailure()
               << "not in front after the click; under the pointer: " << ClassOf(under) << " \"" << WindowText(under)
               << "\", in front: " << ClassOf(front) << " \"" << WindowText(front) << "\"";
    }
    return SendKeys({VK_CONTROL, VK_MENU, 'A'}) ? ::testing::AssertionSuccess()
                                                : ::testing::AssertionFailure() << "the keys failed";
}

// A real click in the middle of a control of the program.
bool ClickOn(HWND control) {
    RECT rect{};
    return control && ::GetWindowRect(control, &rect) && RunHostCommand(Click(Middle(rect)));
}

bool Checked(HWND button) { return ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

TEST(RunningProgram, StartConfirmSettingsTakeAStillByHotkeyAndQuit) {
    ProgramDriver program;
    TempFolder shots;
    HWND settings = program.StartToSettings(shots.Path());
    ASSERT_NE(settings, nullptr) << "the settings window is shown at start";
    // Owned by the hidden application window: no taskbar button anywhere.
    HWND application = ::GetWindow(settings, GW_OWNER);
    ASSERT_NE(application, nullptr);
    EXPECT_FALSE(::IsWindowVisible(application));

    ConfirmSettings(program, settings);
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
    HWND settings = program.StartToSettings(shots.Path());
    ASSERT_NE(settings, nullptr);
    ConfirmSettings(program, settings);
    if (HasFatalFailure()) return;

    // Two programs side by side. Each still follows a real click: the key is pressed as
    // soon as the click has made its window the foreground, sooner than the foreground
    // watcher polls, and without moving the focus.
    ForeignWindow notepad("notepad.exe");
    ForeignWindow document(ForeignWindow::Document(RGB(30, 160, 60), {760, 100, 1000, 400}));
    ASSERT_TRUE(notepad.Handle() && document.Handle());
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
        // The still raised its window, which activates it. On a busy machine that can come
        // after the user's next click, so the next click waits for it, as a user would see it.
        EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == window.Handle(); }, seconds(10))) << path;
    };
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(ClickThenKey(inNotepad, notepad.Handle()));
        expectStillOf(notepad);
        ASSERT_TRUE(ClickThenKey(document.Centre(), document.Handle()));
        expectStillOf(document);
    }

    // With no window of the user's left the still fails; the next one after a click works.
    notepad.Close();
    document.Close();
    // Wine drops keys pressed while no window is in front, as for a moment after the last
    // window of a program closes, until the next one (the taskbar) has been activated.
    ASSERT_TRUE(PumpUntil(
        [] {
            HWND front = ::GetForegroundWindow();
            return front && ::IsWindow(front) && ::IsWindowVisible(front);
        },
        std::chrono::seconds(10)));
    ASSERT_TRUE(SendKeys({VK_CONTROL, VK_MENU, 'A'}));
    ShownBox box;
    ASSERT_TRUE(program.AnswerBox(box, IDOK))
        << FileNamesIn(shots.Path()).size() << " stills, in front: " << ClassOf(::GetForegroundWindow());
    EXPECT_EQ(box.text, "ファイルを出力できませんでした");
    ForeignWindow next(ForeignWindow::Document(RGB(200, 40, 40), {300, 200, 700, 500}));
    ASSERT_TRUE(ClickThenKey(next.Centre(), next.Handle()));
    expectStillOf(next);
    EXPECT_EQ(FileNamesIn(shots.Path()).size(), 5u);
    EXPECT_TRUE(program.OpenBoxes().empty());
}

TEST(RunningProgram, AUsersJourneyFromTheFolderTreeToAStartStraightIntoShootingMode) {
    const ExpectedMenu stillMode =
        DrawMenu({"画面全体をキャプチャ", "アクティブなウインドウだけをキャプチャ", "設定", "バージョン情報", "終了"});
    const ExpectedMenu movieMode = DrawMenu({"動画撮影開始", "設定", "バージョン情報", "終了"});
    DesktopFolder shots("撮影した画像");
    // Taken already: the first still must go past it.
    WriteFileBytes(shots / "cap_000.JPEG", "not a still");
    ProgramDriver program;
    HWND settings = program.StartToSettings();
    ASSERT_NE(settings, nullptr);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(settings, &processId);
    auto control = [&settings](const std::string& className, const std::string& text) {
        return ProgramDriver::FindControl(settings, className, text);
    };
    // Made before the shell's icon cache was loaded, the folder controls draw its icons.
    EXPECT_NE(::SendMessageA(control("SysTreeView32", ""), TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);
    EXPECT_NE(::SendMessageA(control("SysListView32", ""), LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
    EXPECT_NE(::SendMessageA(control("SysListView32", ""), LVM_GETIMAGELIST, LVSIL_NORMAL, 0), 0);

    // The folder, clicked in the tree; the window tells which folder is selected.
    RECT item{};
    ASSERT_TRUE(PumpUntil([&] {
        return (item = TreeItemRect(control("SysTreeView32", ""), "撮影した画像")).right > 0;
    })) << "the tree shows the Desktop's folders";
    ASSERT_TRUE(RunHostCommand(Click(Middle(item))));
    const std::string selected = "選択されているフォルダ\r\n" + shots.Path();
    EXPECT_TRUE(PumpUntil([&] { return control("", selected) != nullptr; }));

    // JPEG, a word before the number; then the start button.
    ASSERT_TRUE(ClickOn(ControlOnPage(settings, 1, "Button", "JPEG")));
    ASSERT_TRUE(ClickOn(control("Button", "連番の前に文字をつける")));
    HWND wordBefore = ProgramDriver::FindControl(control("Button", "ファイル名の指定"), "Edit", "");
    ASSERT_TRUE(ClickOn(wordBefore));
    ASSERT_TRUE(RunHostCommand("xdotool type cap_"));
    ASSERT_TRUE(PumpUntil([&] { return EditText(wordBefore) == "cap_"; }));
    ASSERT_TRUE(ClickOn(control("", "設定完了（撮影モードへ）")));
    ShownBox box;
    ASSERT_TRUE(program.AnswerBox(box, IDOK));
    EXPECT_EQ(box.caption, "情報");
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(settings); }));

    // The keys: the first free name for the whole screen, then the window clicked into.
    ASSERT_TRUE(StillOfTheScreenByKey(shots / "cap_001.JPEG"));
    ASSERT_TRUE(StillWritten(shots / "cap_001.JPEG"));
    EXPECT_EQ(HostCommandOutput("identify -format '%m %w %h' '" + UnixPath(shots / "cap_001.JPEG") + "'"),
              "JPEG " + std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + " " +
                  std::to_string(::GetSystemMetrics(SM_CYSCREEN)));
    {
        ForeignWindow document(ForeignWindow::Document(RGB(30, 160, 60), {500, 120, 900, 420}));
        ASSERT_NE(document.Handle(), nullptr);
        ASSERT_TRUE(ClickThenKey(document.Centre(), document.Handle()));
        ASSERT_TRUE(StillWritten(shots / "cap_002.JPEG"));
        EXPECT_EQ(HostCommandOutput("identify -format '%m %w %h' '" + UnixPath(shots / "cap_002.JPEG") + "'"),
                  "JPEG 400 300");
    }

    // Back to the settings from the tray: AVI, and no settings window at the next start.
    ASSERT_TRUE(ChooseFromTray(processId, stillMode, kSettingsItem));
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(settings) != FALSE; }));
    ASSERT_TRUE(ClickOn(ControlOnPage(settings, 1, "Button", "AVI")));
    ASSERT_TRUE(ClickOn(ControlOnPage(settings, 2, "Button", "起動時に設定画面を表示しない")));
    ASSERT_TRUE(ClickOn(control("", "設定完了（撮影モードへ）")));
    ASSERT_TRUE(program.AnswerBox(box, IDOK));
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(settings); }));

    // A movie from the keys, into the same folder under the same rule.
    const std::string work = program.Folder() / "moviework";
    ASSERT_TRUE(ProgramDriver::PressKeysUntil("ctrl+alt+s", [&] { return PathExists(work + "\\1.bmp"); }));
    ASSERT_TRUE(PumpUntil([&] { return PathExists(work + "\\2.bmp"); }, seconds(20)));
    ASSERT_TRUE(ProgramDriver::PressKeysUntil("ctrl+alt+e", [&] { return !program.OpenBoxes().empty(); }));
    ASSERT_TRUE(program.AnswerBox(box, IDOK, seconds(30)));
    EXPECT_EQ(box.text, "ムービーを出力しました");
    const AviContents movie = ReadAvi(shots / "cap_000.AVI");
    ASSERT_TRUE(movie.valid) << movie.error;
    EXPECT_GE(movie.frames.size(), 2u);

    // Quit from the tray; the next start goes straight into shooting mode with every
    // setting as it was left and the saved keys held.
    ASSERT_TRUE(ChooseFromTray(processId, movieMode, kQuitItem));
    ASSERT_TRUE(program.WaitForExit(seconds(10)));
    ASSERT_TRUE(program.Start());
    HWND main = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            main = ::FindWindowA(nullptr, "Form1");
            return main && ::IsWindowVisible(main);
        },
        seconds(20)));
    settings = ::FindWindowA(nullptr, "Pictavo 設定画面");
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(::IsWindowVisible(settings));
    EXPECT_TRUE(program.OpenBoxes().empty());
    HWND probe = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    EXPECT_FALSE(::RegisterHotKey(probe, 1, MOD_CONTROL | MOD_ALT, 'S'));
    ::DestroyWindow(probe);
    EXPECT_NE(control("", selected), nullptr) << "the folder is selected in the tree again";
    // The pages, opened from the tray, show every setting as it was left.
    ::GetWindowThreadProcessId(settings, &processId);
    ASSERT_TRUE(ChooseFromTray(processId, movieMode, kSettingsItem));
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(settings) != FALSE; }));
    EXPECT_TRUE(Checked(ControlOnPage(settings, 1, "Button", "AVI")));
    EXPECT_TRUE(Checked(control("Button", "連番の前に文字をつける")));
    EXPECT_EQ(EditText(ProgramDriver::FindControl(control("Button", "ファイル名の指定"), "Edit", "")), "cap_");
    EXPECT_TRUE(Checked(ControlOnPage(settings, 2, "Button", "起動時に設定画面を表示しない")));
    Quit(program, settings);
}
