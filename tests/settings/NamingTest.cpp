#include <gtest/gtest.h>

#include "tests/support/BoxRecorder.h"
#include "tests/support/ProgramForms.h"
#include "tests/support/TestEnvironment.h"

namespace {
struct Settings {
    bool before = false;
    std::string wordBefore;
    bool after = false;
    std::string wordAfter;
    bool lock = true;
    int width = 3;
    bool zero = true;
    int mode = TForm2::kModeBmp;
};

class Naming : public ProgramForms {
protected:
    void Apply(const Settings& s) {
        form2->txtAddWordBefore->SetText(s.wordBefore);
        form2->chkAddWordBefore->SetChecked(s.before);
        form2->txtAddWordAfter->SetText(s.wordAfter);
        form2->chkAddWordAfter->SetChecked(s.after);
        form2->chkNumberLock->SetChecked(s.lock);
        form2->spnNumberLock->SetValue(s.width);
        form2->chkNumLockZero->SetChecked(s.zero);
        form2->rgMode->SetItemIndex(s.mode);
    }
    void Range(int start, int end) {
        form2->spnSetStartNum->SetValue(start);
        form2->spnSetEndNum->SetValue(end);
    }
};
}  // namespace

TEST_F(Naming, FileNamesFollowTheControls) {
    struct Case {
        Settings settings;
        int number;
        std::string name;
    };
    const Case cases[] = {
        {{}, 1, "001.BMP"},
        {{}, 20, "020.BMP"},
        {{}, 300, "300.BMP"},
        {{.zero = false}, 1, "  1.BMP"},
        {{.zero = false}, 20, " 20.BMP"},
        {{.width = 1}, 300, "300.BMP"},
        {{.width = 2}, 300, "300.BMP"},
        {{.lock = false, .zero = true}, 7, "7.BMP"},
        {{.lock = false, .zero = false}, 7, "7.BMP"},
        {{.width = 9}, 0, "000000000.BMP"},
        {{true, "cap_", true, "_x", true, 3, true, TForm2::kModeJpeg}, 12, "cap_012_x.JPEG"},
        {{true, "cap_", true, "_x", true, 3, true, TForm2::kModeAvi}, 12, "cap_012_x.AVI"},
        {{false, "cap_", false, "_x"}, 12, "012.BMP"},
        {{true, "画面", true, "表"}, 5, "画面005表.BMP"},
    };
    for (const Case& c : cases) {
        Apply(c.settings);
        EXPECT_EQ(form2->MakeFileName(c.number), c.name) << c.number;
    }
}

TEST_F(Naming, WidthOutsideTheSpinRangeIsClampedAndUntypableText) {
    form2->spnNumberLock->SetValue(15);
    EXPECT_EQ(form2->spnNumberLock->Value(), 9);
    form2->spnSetStartNum->SetValue(7);
    form2->spnSetStartNum->SetText("abc");
    EXPECT_EQ(form2->spnSetStartNum->Value(), 7);  // text that is no number gives back the last value
}

TEST_F(Naming, FirstFreeNumberIsTheLowestOneAndFreedNumbersAreReused) {
    TempFolder folder;
    BoxRecorder boxes;
    Range(1, 999);
    WriteFileBytes(folder / "001.BMP", "x");
    WriteFileBytes(folder / "002.BMP", "x");
    std::string path;
    ASSERT_TRUE(form1->FindFreeFileName(folder.Path() + "\\" + form2->MakeFileName(1), path));
    EXPECT_EQ(path, folder / "003.BMP");
    ::DeleteFileA((folder / "001.BMP").c_str());
    ASSERT_TRUE(form1->FindFreeFileName(folder / "anything", path));
    EXPECT_EQ(path, folder / "001.BMP");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Naming, EveryKindOfEntryTakesItsNumberWhateverTheCase) {
    TempFolder folder;
    Range(0, 999);
    ::CreateDirectoryA((folder / "000.BMP").c_str(), nullptr);  // a folder
    WriteFileBytes(folder / "001.bmp", "x");                    // other case
    WriteFileBytes(folder / "002.BMP", "x");
    ::SetFileAttributesA((folder / "002.BMP").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    WriteFileBytes(folder / "003.BMP", "x");
    ::SetFileAttributesA((folder / "003.BMP").c_str(), FILE_ATTRIBUTE_READONLY);
    std::string path;
    ASSERT_TRUE(form1->FindFreeFileName(folder / "x", path));
    EXPECT_EQ(path, folder / "004.BMP");
}

TEST_F(Naming, SearchReadsTheSpinBoxesNotTheStartNumber) {
    TempFolder folder;
    Range(10, 999);
    form1->StartNumber = 0;
    std::string path;
    ASSERT_TRUE(form1->FindFreeFileName(folder / "x", path));
    EXPECT_EQ(path, folder / "010.BMP");
}

TEST_F(Naming, EmptyOrUsedUpRangeTellsTheUserAndFails) {
    TempFolder folder;
    {
        BoxRecorder boxes;
        Range(5, 3);
        std::string path = "untouched";
        EXPECT_FALSE(form1->FindFreeFileName(folder / "x", path));
        EXPECT_EQ(path, "");
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"番号を使い終わりました"});
        EXPECT_EQ(boxes.Boxes()[0].caption, "情報");
    }
    {
        BoxRecorder boxes;
        Range(7, 7);
        WriteFileBytes(folder / "007.BMP", "x");
        std::string path;
        EXPECT_FALSE(form1->FindFreeFileName(folder / "x", path));
        EXPECT_EQ(path, folder / "007.BMP");
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"番号を使い終わりました"});
    }
}

TEST_F(Naming, FolderPartEndsAtARealSeparatorNotInsideADoubleByteCharacter) {
    TempFolder folder;
    Range(1, 9);
    // "表" is 0x95 0x5C: its second byte is the backslash's value.
    const std::string sub = folder / "表";
    ::CreateDirectoryA(sub.c_str(), nullptr);
    WriteFileBytes(sub + "\\001.BMP", "x");
    std::string path;
    ASSERT_TRUE(form1->FindFreeFileName(sub + "\\001.BMP", path));
    EXPECT_EQ(path, sub + "\\002.BMP");
}

TEST_F(Naming, WordThatNamesASubfolderIsLookedUpThere) {
    TempFolder folder;
    Range(1, 9);
    ::CreateDirectoryA((folder / "sub").c_str(), nullptr);
    WriteFileBytes(folder / "sub\\001.BMP", "x");
    Apply({.before = true, .wordBefore = "sub\\"});
    std::string path;
    ASSERT_TRUE(form1->FindFreeFileName(folder / "x", path));
    EXPECT_EQ(path, folder / "sub\\002.BMP");
}
