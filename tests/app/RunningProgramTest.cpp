// The real Pictavo.exe, started in a folder of its own and used from outside as a person
// would: the settings window filled in and confirmed, a still taken with a real key press,
// the program closed.
#include <gtest/gtest.h>

#include "tests/support/ProgramDriver.h"

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

    // Shooting mode: Ctrl+Alt+F takes a still of the whole screen, numbered from 0.
    ASSERT_TRUE(PumpUntil(
        [&] {
            ProgramDriver::PressKeys("ctrl+alt+f");
            return PumpUntil([&] { return PathExists(shots / "000.BMP"); }, std::chrono::seconds(2));
        },
        std::chrono::seconds(20)));
    ASSERT_TRUE(PumpUntil([&] { return ReadFileBytes(shots / "000.BMP").size() > 54; }));
    const std::string bmp = ReadFileBytes(shots / "000.BMP");
    auto header = reinterpret_cast<const BITMAPINFOHEADER*>(bmp.data() + 14);
    EXPECT_EQ(header->biWidth, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(header->biHeight, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(program.OpenBoxes().empty());

    // Closing the main window ends the program.
    DWORD processId = 0;
    ::GetWindowThreadProcessId(settings, &processId);
    HWND main = nullptr;
    for (HWND candidate = ::FindWindowExA(nullptr, nullptr, nullptr, "Form1"); candidate;
         candidate = ::FindWindowExA(nullptr, candidate, nullptr, "Form1")) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(candidate, &owner);
        if (owner == processId) main = candidate;
    }
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(::IsWindowVisible(FindProcessWindow(processId, "TApplication")));
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(std::chrono::seconds(10)));
}
