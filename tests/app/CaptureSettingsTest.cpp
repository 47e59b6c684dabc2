// Where a capture's file goes, from the save folder, the start number and the settings read
// through the view at that moment; without windows.
#include <gtest/gtest.h>

#include "app/TCaptureSettings.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/Exception.h"

namespace {
class FakeView : public TSettingsView {
public:
    TNamingRule NamingRule() const override {
        ++ruleReads;
        return rule;
    }
    TNumberRange NumberRange() const override { return range; }
    TRecordingSettings Recording() const override { return {}; }
    bool SkipsWindowAtStart() const override { return false; }

    TNamingRule rule;
    TNumberRange range{1, 999};
    mutable int ruleReads = 0;
};
}  // namespace

TEST(CaptureSettings, NextFileIsTheFirstFreeNameInTheFolderOfTheStartNumbersName) {
    TempFolder folder;
    ::CreateDirectoryA((folder / "sub").c_str(), nullptr);
    WriteFileBytes(folder / "001.BMP", "x");
    struct Case {
        std::string saveFolder;
        TNamingRule rule;
        int startNumber;
        std::string expected;
    };
    const std::string root = folder.Path() + "\\";
    const Case cases[] = {
        {root, {}, 1, folder / "002.BMP"},
        // The start number only names the candidate; the search runs through the range.
        {root, {}, 7, folder / "002.BMP"},
        // A word with a "\" puts the candidate into a subfolder, where the names are made
        // again, word and all.
        {root, {.addWordBefore = true, .wordBefore = "sub\\"}, 1, folder / "sub\\sub\\001.BMP"},
        {"", {.saveMode = kModeJpeg}, 1, "001.JPEG"},
    };
    TCaptureSettings settings;
    std::string path;
    EXPECT_THROW(settings.NextFreePath(path), Exception) << "no name without the settings window";
    FakeView view;
    settings.Connect(view);
    for (const Case& c : cases) {
        view.rule = c.rule;
        view.ruleReads = 0;
        settings.SetSaveFolder(c.saveFolder);
        settings.SetStartNumber(c.startNumber);
        ASSERT_TRUE(settings.NextFreePath(path)) << c.expected;
        EXPECT_EQ(path, c.expected);
        EXPECT_EQ(view.ruleReads, 1) << "the candidate and the search use one reading of the rule";
    }
}
