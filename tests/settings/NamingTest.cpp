// The naming rule and the free-name search, without windows; then the settings window's
// controls as the rule and the range the program reads.
#include <gtest/gtest.h>

#include "settings/FreeFileName.h"
#include "settings/TNamingRule.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/ProgramForms.h"
#include "tests/support/TestEnvironment.h"

TEST(NamingRule, FileNamesFollowTheRule) {
    struct Case {
        TNamingRule rule;
        int number;
        std::string name;
    };
    const Case cases[] = {
        {{}, 1, "001.BMP"},
        {{}, 20, "020.BMP"},
        {{}, 300, "300.BMP"},
        {{.zeroFill = false}, 1, "  1.BMP"},
        {{.zeroFill = false}, 20, " 20.BMP"},
        {{.numberLockWidth = 1}, 300, "300.BMP"},
        {{.numberLockWidth = 2}, 300, "300.BMP"},
        {{.numberLock = false, .zeroFill = true}, 7, "7.BMP"},
        {{.numberLock = false, .zeroFill = false}, 7, "7.BMP"},
        {{.numberLockWidth = 9}, 0, "000000000.BMP"},
        {{true, "cap_", true, "_x", true, 3, true, kModeJpeg}, 12, "cap_012_x.JPEG"},
        {{true, "cap_", true, "_x", true, 3, true, kModeAvi}, 12, "cap_012_x.AVI"},
        {{false, "cap_", false, "_x"}, 12, "012.BMP"},
        {{true, "画面", true, "表"}, 5, "画面005表.BMP"},
        {{.saveMode = -1}, 5, "005."},
    };
    for (const Case& c : cases) EXPECT_EQ(c.rule.FileName(c.number), c.name) << c.number;
}

TEST(FreeFileName, FirstFreeNumberIsTheLowestOneAndFreedNumbersAreReused) {
    TempFolder folder;
    BoxRecorder boxes;
    const std::string where = folder.Path() + "\\";
    WriteFileBytes(folder / "001.BMP", "x");
    WriteFileBytes(folder / "002.BMP", "x");
    std::string path;
    ASSERT_TRUE(FindFreeFileName({}, {1, 999}, where, path));
    EXPECT_EQ(path, folder / "003.BMP");
    ::DeleteFileA((folder / "001.BMP").c_str());
    ASSERT_TRUE(FindFreeFileName({}, {1, 999}, where, path));
    EXPECT_EQ(path, folder / "001.BMP");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(FreeFileName, EveryKindOfEntryTakesItsNumberWhateverTheCase) {
    TempFolder folder;
    ::CreateDirectoryA((folder / "000.BMP").c_str(), nullptr);  // a folder
    WriteFileBytes(folder / "001.bmp", "x");                    // other case
    WriteFileBytes(folder / "002.BMP", "x");
    ::SetFileAttributesA((folder / "002.BMP").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    WriteFileBytes(folder / "003.BMP", "x");
    ::SetFileAttributesA((folder / "003.BMP").c_str(), FILE_ATTRIBUTE_READONLY);
    std::string path;
    ASSERT_TRUE(FindFreeFileName({}, {0, 999}, folder.Path() + "\\", path));
    EXPECT_EQ(path, folder / "004.BMP");
}

TEST(FreeFileName, EmptyOrUsedUpRangeTellsTheUserAndFails) {
    TempFolder folder;
    WriteFileBytes(folder / "007.BMP", "x");
    struct Case {
        TNumberRange range;
        std::string path;
    };
    const Case cases[] = {{{5, 3}, ""}, {{7, 7}, folder / "007.BMP"}};
    for (const Case& c : cases) {
        BoxRecorder boxes;
        std::string path = "untouched";
        EXPECT_FALSE(FindFreeFileName({}, c.range, folder.Path() + "\\", path));
        EXPECT_EQ(path, c.path);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"番号を使い終わりました"});
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].caption, "情報");
    }
}

TEST(FreeFileName, WordThatNamesASubfolderIsLookedUpThere) {
    TempFolder folder;
    ::CreateDirectoryA((folder / "sub").c_str(), nullptr);
    WriteFileBytes(folder / "sub\\001.BMP", "x");
    std::string path;
    ASSERT_TRUE(FindFreeFileName({.addWordBefore = true, .wordBefore = "sub\\"}, {1, 9}, folder.Path() + "\\", path));
    EXPECT_EQ(path, folder / "sub\\002.BMP");
}

namespace {
class Naming : public ProgramForms {};
}  // namespace

TEST_F(Naming, TheRuleAndTheRangeAreReadFromTheControlsAtEachCall) {
    form2->txtAddWordBefore->SetText("cap_");
    form2->chkAddWordBefore->SetChecked(true);
    form2->txtAddWordAfter->SetText("_x");
    form2->chkAddWordAfter->SetChecked(false);
    form2->spnNumberLock->SetValue(4);
    form2->chkNumLockZero->SetChecked(false);
    form2->rgMode->SetItemIndex(kModeJpeg);
    EXPECT_EQ(form2->MakeFileName(12), "cap_  12.JPEG") << "a word switched off is not used";
    form2->chkAddWordBefore->SetChecked(false);
    form2->rgMode->SetItemIndex(kModeAvi);
    EXPECT_EQ(form2->MakeFileName(12), "  12.AVI");

    TempFolder folder;
    form2->spnSetStartNum->SetValue(10);
    form2->spnSetEndNum->SetValue(999);
    // The search starts at the start spin box, not at the start number handed over.
    form1->SetStartNumber(0);
    std::string path;
    ASSERT_TRUE(form1->FindFreeFileName(folder / "anything", path));
    EXPECT_EQ(path, folder / "  10.AVI");
}

TEST_F(Naming, WidthOutsideTheSpinRangeIsClampedAndUntypableText) {
    form2->spnNumberLock->SetValue(15);
    EXPECT_EQ(form2->spnNumberLock->Value(), 9);
    form2->spnSetStartNum->SetValue(7);
    form2->spnSetStartNum->SetText("abc");
    EXPECT_EQ(form2->spnSetStartNum->Value(), 7);  // text that is no number gives back the last value
}

TEST_F(Naming, FolderPartEndsAtARealSeparatorNotInsideADoubleByteCharacter) {
    TempFolder folder;
    form2->spnSetStartNum->SetValue(1);
    form2->spnSetEndNum->SetValue(9);
    // "表" is 0x95 0x5C: its second byte is the backslash's value.
    const std::string sub = folder / "表";
    ::CreateDirectoryA(sub.c_str(), nullptr);
    WriteFileBytes(sub + "\\001.BMP", "x");
    std::string path;
    ASSERT_TRUE(form1->FindFreeFileName(sub + "\\001.BMP", path));
    EXPECT_EQ(path, sub + "\\002.BMP");
}
