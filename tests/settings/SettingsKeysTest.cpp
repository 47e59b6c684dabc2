// The settings file's keys and the values they hold, without the window.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "settings/SettingsKeys.h"
#include "settings/TSettingsFile.h"
#include "tests/support/TestEnvironment.h"

namespace {
// A word that reads as a number: "1".
const std::string kOne(1, '1');

// Every value away from where it starts; a word switched off keeps its text.
TSettingsValues Unusual() {
    TSettingsValues values;
    values.folder = "C:\\写真\\表";
    values.naming = {false, " cap ", true, "_表", false, 7, false, kModeAvi};
    values.setStartNum = true;
    values.setEndNum = true;
    values.numbers = {12, 345};
    values.shortCuts = {scShift | scCtrl | VK_F5, 0, scCtrl | scAlt | VK_HOME, scAlt | 'Q'};
    values.recording = {4500, 9, true};
    values.settingPass = true;
    return values;
}

// Every value in a line, for readable failures.
std::string Describe(const TSettingsValues& v) {
    const TNamingRule& n = v.naming;
    std::ostringstream text;
    text << Utf8(v.folder) << "|" << n.addWordBefore << Utf8(n.wordBefore) << "|" << n.addWordAfter << Utf8(n.wordAfter)
         << "|" << n.numberLock << n.numberLockWidth << n.zeroFill << "|mode " << n.saveMode << "|" << v.setStartNum
         << " " << v.numbers.first << "|" << v.setEndNum << " " << v.numbers.last << "|keys";
    for (TShortCut key : v.shortCuts) text << " " << key;
    text << "|" << v.recording.interval << " " << v.recording.frameRate << " " << v.recording.compress << "|"
         << v.settingPass;
    return text.str();
}
}  // namespace

TEST(SettingsKeys, EveryValueComesBackAsWrittenAndAbsentKeysKeepTheCurrentOnes) {
    TempFolder folder;
    TSettingsFile file(folder / "Pictavo.ini", "Pictavo");
    SaveSettings(file, Unusual());
    EXPECT_EQ(Describe(LoadSettings(file, TSettingsValues{})), Describe(Unusual()));

    // A file with only some keys: what it names changes, the rest stays as it was.
    struct Case {
        std::string lines;
        std::function<void(TSettingsValues&)> change;
    };
    const Case cases[] = {
        {"", [](TSettingsValues&) {}},
        {"SaveMode=7", [](TSettingsValues& v) { v.naming.saveMode = kModeAvi; }},
        {"SaveMode=-3", [](TSettingsValues& v) { v.naming.saveMode = kModeBmp; }},
        // Numbers come as written: the controls keep them in their ranges. Without the
        // states the program keeps, a box follows its value's key: 5000 reads as switched on.
        {"RecTime=50\r\nSetEndNum=5000",
         [](TSettingsValues& v) {
             v.recording.interval = 50;
             v.setEndNum = true;
             v.numbers.last = 5000;
         }},
        // The word's text "1" reads as switched on, a width of 0 as off.
        {"AddWordBefore=1\r\nNumberLock=0",
         [](TSettingsValues& v) {
             v.naming.addWordBefore = true;
             v.naming.wordBefore = kOne;
             v.naming.numberLock = false;
             v.naming.numberLockWidth = 0;
         }},
        // The states win over the values, and a malformed one is no state at all.
        {"AddWordBefore=1\r\nCheckStates=00011",
         [](TSettingsValues& v) {
             v.naming.wordBefore = kOne;
             v.naming.numberLock = false;
             v.setStartNum = true;
             v.setEndNum = true;
         }},
        {"SetEndNum=0\r\nCheckStates=0001", [](TSettingsValues& v) { v.numbers.last = 0; }},
        {"StillActive=Ctrl+Alt+Nothing", [](TSettingsValues& v) { v.shortCuts[1] = 0; }},
    };
    const TSettingsValues current;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        std::string content = "[Pictavo]\r\n";
        content += c.lines;
        WriteFileBytes(file.Path(), content);
        TSettingsValues expected = current;
        c.change(expected);
        EXPECT_EQ(Describe(LoadSettings(file, current)), Describe(expected));
    }
}
