// The real Pictavo.exe started with "起動時に設定画面を表示しない" saved: the user presses a
// saved key at once and the still lands in the saved folder; a saved folder that cannot take
// the files brings up the settings window with the start button's message instead, and
// nothing is written anywhere.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/ProgramDriver.h"

namespace {
using std::chrono::seconds;

// The files beside the program, which a run leaves as they were: the copy and its settings.
std::vector<std::string> ProgramFolderFiles(const ProgramDriver& program) {
    std::vector<std::string> names = FileNamesIn(program.Folder().Path());
    std::sort(names.begin(), names.end());
    return names;
}
const std::vector<std::string> kProgramAndSettings = {"Pictavo.exe", "Pictavo.ini"};
}  // namespace

TEST(RunningProgram, AStartWithoutTheSettingsWindowTakesStillsByTheSavedKeyIntoTheSavedFolder) {
    ProgramDriver program;
    TempFolder shots;
    program.WriteSetting("Folder", shots.Path());
    program.WriteSetting("SaveMode", "1");
    program.WriteSetting("SetStartNum", "7");
    program.WriteSetting("StillAll", "Ctrl+Alt+G");
    program.WriteSetting("SettingPass", "1");
    const std::string settings = ReadFileBytes(program.SettingsPath());
    ASSERT_TRUE(program.Start());

    // Pressed as soon as the program is there, as a user would; the first presses may come
    // while the splash is still up.
    ASSERT_TRUE(ProgramDriver::PressKeysUntil("ctrl+alt+g", [&] { return PathExists(shots / "007.JPEG"); }))
        << "files beside the program: " << ProgramFolderFiles(program).size();
    ASSERT_TRUE(PumpUntil([&] { return ReadFileBytes(shots / "007.JPEG").size() > 100; }, seconds(10)));
    EXPECT_EQ(ReadFileBytes(shots / "007.JPEG").substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(program.WaitForWindow("Pictavo 設定画面", std::chrono::milliseconds(0)), nullptr);
    EXPECT_TRUE(program.OpenBoxes().empty());
    EXPECT_EQ(ProgramFolderFiles(program), kProgramAndSettings);
    EXPECT_EQ(ReadFileBytes(program.SettingsPath()), settings) << "the file is not written at start";
}

TEST(RunningProgram, AStartWithoutTheSettingsWindowShowsItWhenTheSavedFolderCannotTakeTheFiles) {
    TempFolder shots;
    WriteFileBytes(shots / "a file", "x");
    struct Case {
        std::string folder;
        std::string message;
    };
    const Case cases[] = {
        {shots / "消えた", "保存先フォルダが見つかりません。\r\n" + shots / "消えた"},
        {shots / "a file", "保存先に選ばれているのはフォルダではありません。\r\n" + shots / "a file"},
        // What a name outside the code page becomes in an ANSI file.
        {shots / "caf?",
         "保存先フォルダの名前に、このプログラムでは扱えない文字が含まれています。\r\n"
         "別のフォルダを選択してください"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.folder));
        ProgramDriver program;
        program.WriteSetting("Folder", c.folder);
        program.WriteSetting("SettingPass", "1");
        const std::string settings = ReadFileBytes(program.SettingsPath());
        ASSERT_TRUE(program.Start());

        // One box, over the settings window.
        ASSERT_TRUE(PumpUntil([&] { return !program.OpenBoxes().empty(); }, seconds(30)));
        HWND window = program.WaitForWindow("Pictavo 設定画面", std::chrono::milliseconds(0));
        EXPECT_NE(window, nullptr) << "shown with the message";
        ShownBox box;
        ASSERT_TRUE(program.AnswerBox(box, IDOK));
        EXPECT_EQ(box.caption, "エラー");
        EXPECT_EQ(Utf8(box.text), Utf8(c.message));
        window = program.WaitForWindow("Pictavo 設定画面");
        ASSERT_NE(window, nullptr) << "the window stays for another folder to be chosen";

        // Setting mode: the key takes no still, anywhere.
        ProgramDriver::PressKeys("ctrl+alt+f");
        PumpFor(std::chrono::milliseconds(1500));
        EXPECT_TRUE(program.OpenBoxes().empty());
        EXPECT_NE(program.WaitForWindow("Pictavo 設定画面", std::chrono::milliseconds(0)), nullptr);
        EXPECT_EQ(ProgramFolderFiles(program), kProgramAndSettings);
        EXPECT_EQ(FileNamesIn(shots.Path()), std::vector<std::string>{"a file"});
        EXPECT_EQ(ReadFileBytes(program.SettingsPath()), settings);
    }
}
