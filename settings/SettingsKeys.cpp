#include "settings/SettingsKeys.h"

#include <algorithm>

#include "settings/ShortCutText.h"
#include "settings/TSettingsFile.h"

const char kComputerFolderName[] = "マイ コンピュータ";

namespace {
// The five check boxes have no key of their own in the file: each is written as a boolean
// under its value's key just before the value takes that key's place. A file written that
// way tells only the values, and an unchecked box with a non-zero value would come back
// checked. So the states are kept once more, after the sixteen keys, as one digit ("1"
// checked, "0" not) per box in this order; a file without that key (or with a malformed
// one) reads each box from its value's key.
const char kCheckStatesKey[] = "CheckStates";
const char kFolderKey[] = "Folder";
enum CheckState { csAddWordBefore, csAddWordAfter, csNumberLock, csSetStartNum, csSetEndNum, csCount };

bool WellFormedStates(const std::string& states) {
    return states.size() == csCount &&
           std::all_of(states.begin(), states.end(), [](char c) { return c == '0' || c == '1'; });
}

class Reader {
public:
    explicit Reader(const TSettingsFile& file) : file_(file), states_(file.ReadString(kCheckStatesKey, "")) {}

    void Check(bool& value, const char* key, CheckState state) const {
        value = WellFormedStates(states_) ? states_[state] == '1' : file_.ReadBool(key, value);
    }
    void Text(std::string& value, const char* key) const { value = file_.ReadString(key, value); }
    void Flag(bool& value, const char* key) const { value = file_.ReadBool(key, value); }
    void Number(int& value, const char* key) const { value = file_.ReadInteger(key, value); }
    void Key(TShortCut& value, const char* key) const {
        value = TextToShortCut(file_.ReadString(key, ShortCutToText(value)));
    }

private:
    const TSettingsFile& file_;
    std::string states_;
};
}  // namespace

std::string SavedFolder(const TSettingsFile& file) { return file.ReadString(kFolderKey, ""); }

TSettingsValues LoadSettings(const TSettingsFile& file, const TSettingsValues& current) {
    TSettingsValues values = current;
    const Reader read(file);
    read.Text(values.folder, kFolderKey);
    TNamingRule& naming = values.naming;
    read.Check(naming.addWordBefore, "AddWordBefore", csAddWordBefore);
    read.Text(naming.wordBefore, "AddWordBefore");
    read.Check(naming.addWordAfter, "AddWordAfter", csAddWordAfter);
    read.Text(naming.wordAfter, "AddWordAfter");
    read.Check(naming.numberLock, "NumberLock", csNumberLock);
    read.Number(naming.numberLockWidth, "NumberLock");
    read.Flag(naming.zeroFill, "NumLockZero");
    read.Check(values.setStartNum, "SetStartNum", csSetStartNum);
    read.Number(values.numbers.first, "SetStartNum");
    read.Check(values.setEndNum, "SetEndNum", csSetEndNum);
    read.Number(values.numbers.last, "SetEndNum");
    // Out of range selects the nearest mode: above the last one AVI, below the first BMP,
    // so that some mode is always selected for the file names.
    read.Number(naming.saveMode, "SaveMode");
    naming.saveMode = std::clamp(naming.saveMode, 0, kModeCount - 1);

    read.Key(values.shortCuts[0], "StillAll");
    read.Key(values.shortCuts[1], "StillActive");
    read.Key(values.shortCuts[2], "MovieStart");
    read.Key(values.shortCuts[3], "MovieEnd");

    read.Number(values.recording.frameRate, "FrameRate");
    read.Number(values.recording.interval, "RecTime");
    read.Flag(values.recording.compress, "Compress");
    read.Flag(values.settingPass, "SettingPass");
    return values;
}

void SaveSettings(TSettingsFile& file, const TSettingsValues& values) {
    const TNamingRule& naming = values.naming;
    file.WriteString(kFolderKey, values.folder);
    file.WriteBool("AddWordBefore", naming.addWordBefore);
    file.WriteString("AddWordBefore", naming.wordBefore);
    file.WriteBool("AddWordAfter", naming.addWordAfter);
    file.WriteString("AddWordAfter", naming.wordAfter);
    file.WriteBool("NumberLock", naming.numberLock);
    file.WriteInteger("NumberLock", naming.numberLockWidth);
    file.WriteBool("NumLockZero", naming.zeroFill);
    file.WriteBool("SetStartNum", values.setStartNum);
    file.WriteInteger("SetStartNum", values.numbers.first);
    file.WriteBool("SetEndNum", values.setEndNum);
    file.WriteInteger("SetEndNum", values.numbers.last);
    file.WriteInteger("SaveMode", naming.saveMode);
    file.WriteString("StillAll", ShortCutToText(values.shortCuts[0]));
    file.WriteString("StillActive", ShortCutToText(values.shortCuts[1]));
    file.WriteString("MovieStart", ShortCutToText(values.shortCuts[2]));
    file.WriteString("MovieEnd", ShortCutToText(values.shortCuts[3]));
    file.WriteInteger("FrameRate", values.recording.frameRate);
    file.WriteInteger("RecTime", values.recording.interval);
    file.WriteBool("Compress", values.recording.compress);
    file.WriteBool("SettingPass", values.settingPass);

    std::string states(csCount, '0');
    auto note = [&states](bool checked, CheckState state) { states[state] = checked ? '1' : '0'; };
    note(naming.addWordBefore, csAddWordBefore);
    note(naming.addWordAfter, csAddWordAfter);
    note(naming.numberLock, csNumberLock);
    note(values.setStartNum, csSetStartNum);
    note(values.setEndNum, csSetEndNum);
    file.WriteString(kCheckStatesKey, states);
}
