#include <gtest/gtest.h>

#include "tests/support/BoxRecorder.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/TForm.h"
#include "toolkit/TTimer.h"

TEST(MessageBoxes, ApplicationErrorEndsInOnePeriod) {
    struct Case {
        std::string message, shown;
    };
    const Case cases[] = {
        {"disk full", "disk full."},
        {"disk full.", "disk full."},
        {"ends in dash -", "ends in dash -"},  // '-' sorts below '.'
        {"trailing space ", "trailing space "},
        {"書き込めません", "書き込めません."},  // a double-byte last character gets one
        {"ソ", "ソ."},                          // even when its second byte is '\'
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(MessageBoxes::WithFinalPeriod(c.message), c.shown) << Utf8(c.message);
}

TEST(MessageBoxes, StandardKindsCarryTheirCaptionsAndButtons) {
    BoxRecorder boxes({IDOK, IDOK, IDOK, IDNO, IDOK});
    MessageBoxes::Warning("w");
    MessageBoxes::Error("e");
    MessageBoxes::Information("i");
    EXPECT_FALSE(MessageBoxes::Confirmation("c"));
    MessageBoxes::ApplicationError("oops");
    ASSERT_EQ(boxes.Boxes().size(), 5u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "警告");
    EXPECT_EQ(boxes.Boxes()[1].caption, "エラー");
    EXPECT_EQ(boxes.Boxes()[2].caption, "情報");
    EXPECT_EQ(boxes.Boxes()[3].caption, "確認");
    EXPECT_EQ(boxes.Boxes()[3].buttons, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(boxes.Boxes()[4].caption, "Pictavo");
    EXPECT_EQ(boxes.Boxes()[4].text, "oops.");
}

namespace {
// Finds the box that this thread shows, reads its buttons and answers it.
struct RealBoxReader {
    std::string yes, no, text;
    bool seen = false;
};

BOOL CALLBACK FindBox(HWND window, LPARAM lParam) {
    char className[32] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    auto* reader = reinterpret_cast<RealBoxReader*>(lParam);
    char buffer[256] = {};
    ::GetDlgItemTextA(window, IDYES, buffer, sizeof buffer);
    reader->yes = buffer;
    ::GetDlgItemTextA(window, IDNO, buffer, sizeof buffer);
    reader->no = buffer;
    ::GetDlgItemTextA(window, 0xFFFF, buffer, sizeof buffer);
    reader->text = buffer;
    reader->seen = true;
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, IDNO)));
    return FALSE;
}
}  // namespace

TEST(MessageBoxes, RealConfirmationShowsJapaneseButtonCaptions) {
    auto previous = MessageBoxes::SetHandler(nullptr);
    RealBoxReader reader;
    TTimer timer(nullptr);
    timer.SetInterval(50);
    timer.SetOnTimer([&](TObject&) {
        if (!reader.seen) ::EnumThreadWindows(::GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&reader));
    });
    bool answer = MessageBoxes::Confirmation("Pictavoを終了します。\r\nよろしいですか？");
    MessageBoxes::SetHandler(previous);
    EXPECT_TRUE(reader.seen);
    EXPECT_FALSE(answer);
    EXPECT_EQ(reader.yes, "はい(&Y)");
    EXPECT_EQ(reader.no, "いいえ(&N)");
    EXPECT_EQ(reader.text, "Pictavoを終了します。\r\nよろしいですか？");
}
