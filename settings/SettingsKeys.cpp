#include "settings/SettingsKeys.h"

#include <algorithm>
#include <exception>

#include "settings/ShortCutText.h"
#include "settings/TForm2.h"
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
enum CheckState { csAddWordBefore, csAddWordAfter, csNumberLock, csSetStartNum, csSetEndNum, csCount };

bool WellFormedStates(const std::string& states) {
    return states.size() == csCount &&
           std::all_of(states.begin(), states.end(), [](char c) { return c == '0' || c == '1'; });
}

class Reader {
public:
    Reader(const TSettingsFile& file) : file_(file), states_(file.ReadString(kCheckStatesKey, "")) {}

    void Check(TCheckBox* box, const char* key, CheckState state) const {
        // Setting a box runs its click handling, so the controls it enables follow.
        box->SetChecked(WellFormedStates(states_) ? states_[state] == '1' : file_.ReadBool(key, box->Checked()));
    }
    void Text(TEdit* edit, const char* key) const { edit->SetText(file_.ReadString(key, edit->Text())); }
    void Flag(TCheckBox* box, const char* key) const { box->SetChecked(file_.ReadBool(key, box->Checked())); }
    // The spin box clamps the value to its range.
    void Number(TSpinEdit* spin, const char* key) const { spin->SetValue(file_.ReadInteger(key, spin->Value())); }
    void Key(THotKey* hotKey, const char* key) const {
        hotKey->SetHotKey(TextToShortCut(file_.ReadString(key, ShortCutToText(hotKey->HotKey()))));
    }
    int Integer(const char* key, int defaultValue) const { return file_.ReadInteger(key, defaultValue); }

private:
    const TSettingsFile& file_;
    std::string states_;
};
}  // namespace

void LoadSettings(const TSettingsFile& file, TForm2& form, std::string& folder) {
    std::exception_ptr folderError;
    try {
        folder = file.ReadString("Folder", form.SelectedPath());
        if (folder != kComputerFolderName) form.SelectPath(folder);
    } catch (...) {
        folderError = std::current_exception();
    }

    const Reader read(file);
    read.Check(form.chkAddWordBefore, "AddWordBefore", csAddWordBefore);
    read.Text(form.txtAddWordBefore, "AddWordBefore");
    read.Check(form.chkAddWordAfter, "AddWordAfter", csAddWordAfter);
    read.Text(form.txtAddWordAfter, "AddWordAfter");
    read.Check(form.chkNumberLock, "NumberLock", csNumberLock);
    read.Number(form.spnNumberLock, "NumberLock");
    read.Flag(form.chkNumLockZero, "NumLockZero");
    read.Check(form.chkSetStartNum, "SetStartNum", csSetStartNum);
    read.Number(form.spnSetStartNum, "SetStartNum");
    read.Check(form.chkSetEndNum, "SetEndNum", csSetEndNum);
    read.Number(form.spnSetEndNum, "SetEndNum");
    // Out of range selects the nearest mode: above the last one AVI, below the first BMP,
    // so that some mode is always selected for the file names.
    const int lastMode = static_cast<int>(form.rgMode->Items().size()) - 1;
    form.rgMode->SetItemIndex(std::clamp(read.Integer("SaveMode", form.rgMode->ItemIndex()), 0, lastMode));

    read.Key(form.hkStillAll, "StillAll");
    read.Key(form.hkStillActive, "StillActive");
    read.Key(form.hkMovieStart, "MovieStart");
    read.Key(form.hkMovieEnd, "MovieEnd");

    read.Number(form.spnFrameRate, "FrameRate");
    read.Number(form.spnRecTime, "RecTime");
    read.Flag(form.chkCompress, "Compress");
    read.Flag(form.chkLoadSettingPass, "SettingPass");

    if (folderError) std::rethrow_exception(folderError);
}

void SaveSettings(TSettingsFile& file, TForm2& form) {
    file.WriteString("Folder", form.SelectedPath());
    file.WriteBool("AddWordBefore", form.chkAddWordBefore->Checked());
    file.WriteString("AddWordBefore", form.txtAddWordBefore->Text());
    file.WriteBool("AddWordAfter", form.chkAddWordAfter->Checked());
    file.WriteString("AddWordAfter", form.txtAddWordAfter->Text());
    file.WriteBool("NumberLock", form.chkNumberLock->Checked());
    file.WriteInteger("NumberLock", form.spnNumberLock->Value());
    file.WriteBool("NumLockZero", form.chkNumLockZero->Checked());
    file.WriteBool("SetStartNum", form.chkSetStartNum->Checked());
    file.WriteInteger("SetStartNum", form.spnSetStartNum->Value());
    file.WriteBool("SetEndNum", form.chkSetEndNum->Checked());
    file.WriteInteger("SetEndNum", form.spnSetEndNum->Value());
    file.WriteInteger("SaveMode", form.rgMode->ItemIndex());
    file.WriteString("StillAll", ShortCutToText(form.hkStillAll->HotKey()));
    file.WriteString("StillActive", ShortCutToText(form.hkStillActive->HotKey()));
    file.WriteString("MovieStart", ShortCutToText(form.hkMovieStart->HotKey()));
    file.WriteString("MovieEnd", ShortCutToText(form.hkMovieEnd->HotKey()));
    file.WriteInteger("FrameRate", form.spnFrameRate->Value());
    file.WriteInteger("RecTime", form.spnRecTime->Value());
    file.WriteBool("Compress", form.chkCompress->Checked());
    file.WriteBool("SettingPass", form.chkLoadSettingPass->Checked());

    std::string states(csCount, '0');
    auto note = [&states](TCheckBox* box, CheckState state) { states[state] = box->Checked() ? '1' : '0'; };
    note(form.chkAddWordBefore, csAddWordBefore);
    note(form.chkAddWordAfter, csAddWordAfter);
    note(form.chkNumberLock, csNumberLock);
    note(form.chkSetStartNum, csSetStartNum);
    note(form.chkSetEndNum, csSetEndNum);
    file.WriteString(kCheckStatesKey, states);
}
