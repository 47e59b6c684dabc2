// The real Pictavo.exe and its hotkeys as a user meets them: a key held down a moment too
// long, and a key that another program holds.
#include <gtest/gtest.h>

#include "tests/support/HeldHotKey.h"
#include "tests/support/ProgramDriver.h"

namespace {
using std::chrono::seconds;

// Pressed until the still is there: the first presses may come before the keys are held.
bool StillByKey(const std::string& path) {
    return ProgramDriver::PressKeysUntil("ctrl+alt+f", [&] { return PathExists(path); });
}

void Quit(ProgramDriver& program) {
    ::PostMessageA(::FindWindowA(nullptr, "Form1"), WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(seconds(10)));
}
}  // namespace

TEST(RunningProgram, AKeyHeldDownForASecondTakesOneStill) {
    ProgramDriver program;
    TempFolder shots;
    HWND settings = program.StartToSettings(shots.Path());
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(program.ConfirmSettings(settings));

    // Held as a person holds it (the X server repeats it meanwhile), again if the keys were
    // not registered yet.
    ASSERT_TRUE(PumpUntil(
        [&] {
            RunHostCommand("xdotool search --name 'Wine desktop' windowfocus --sync keydown ctrl+alt+f");
            const auto down = std::chrono::steady_clock::now();
            PumpUntil([&] { return std::chrono::steady_clock::now() - down >= seconds(1); });
            RunHostCommand("xdotool keyup ctrl+alt+f");
            return PumpUntil([&] { return PathExists(shots / "000.BMP"); }, seconds(10));
        },
        seconds(45)));
    PumpFor(std::chrono::milliseconds(2000));
    EXPECT_EQ(FileNamesIn(shots.Path()).size(), 1u);
}

TEST(RunningProgram, AKeyAnotherProgramHoldsIsNamedAtEachStartAndTheOtherKeysWork) {
    HeldElsewhere holder(MOD_CONTROL | MOD_ALT, 'A');
    ASSERT_TRUE(holder.Held());
    ProgramDriver program;
    TempFolder shots;
    HWND settings = program.StartToSettings(shots.Path());
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(program.ConfirmSettings(settings));
    // Told at the start button, and again at a start straight into shooting mode.
    for (const char* still : {"000.BMP", "001.BMP"}) {
        SCOPED_TRACE(still);
        if (PathExists(shots / "000.BMP")) {
            Quit(program);
            program.WriteSetting("SettingPass", "1");
            ASSERT_TRUE(program.Start());
        }
        ShownBox box;
        ASSERT_TRUE(program.AnswerBox(box, IDOK, seconds(30)));
        EXPECT_EQ(box.caption, "警告");
        EXPECT_NE(box.text.find("Ctrl+Alt+A"), std::string::npos) << box.text;
        EXPECT_EQ(box.text.find("Ctrl+Alt+F"), std::string::npos) << box.text;
        ASSERT_TRUE(StillByKey(shots / still));
    }
}
