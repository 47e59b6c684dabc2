// The settings file as the settings window reads and writes it: every encoding from file to
// control and back, a user's whole set of settings across a restart, and files that are
// not what the program wrote.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <functional>
#include <random>

#include "settings/SettingsKeys.h"
#include "settings/ShortCutText.h"
#include "settings/TSavedSettings.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/ProgramForms.h"
#include "toolkit/FilePath.h"

namespace {
std::string Number(TSpinEdit* spin) { return std::to_string(spin->Value()); }
std::string Flag(TButtonControl* box) { return box->Checked() ? "on" : "off"; }
std::string Key(THotKey* hotKey) { return ShortCutToText(hotKey->HotKey()); }

// Where the folder tree starts: the Desktop.
std::string DesktopPath() {
    char path[MAX_PATH] = {};
    ::SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE);
    return path;
}

const char kFolderGone[] = " が見つかりません.";

// The text a key holds in the file as stored (quotes included): the last line that sets it.
std::string StoredText(const std::string& file, const std::string& key) {
    std::string found = "(absent)";
    std::size_t start = 0;
    while (start < file.size()) {
        std::size_t end = file.find('\n', start);
        if (end == std::string::npos) end = file.size();
        std::string line = file.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, key.size() + 1, key + "=") == 0) found = line.substr(key.size() + 1);
        start = end + 1;
    }
    return found;
}

class SettingsFile : public ProgramForms {
protected:
    // The settings window made anew over a file of this content.
    void Restart(const std::string& content) {
        delete form2;
        WriteFileBytes(SettingsPath(), content);
        MakeSettingsWindow();
    }
    void Restart() {
        delete form2;
        MakeSettingsWindow();
    }
    TempFolder shots;
};
}  // namespace

TEST_F(SettingsFile, EveryEncodingReadsIntoItsControlAndIsWrittenBackAsTheProgramWritesIt) {
    const std::string longWord(3000, 'w');
    // 2046 single bytes and then a double-byte character whose second byte is cut off.
    const std::string cutWord = std::string(2046, 'w') + "表表";
    struct Case {
        std::string line;
        std::function<std::string(TForm2&)> control;
        std::string shown;
        std::string key;
        std::string stored;
    };
    auto lock = [](TForm2& f) { return Number(f.spnNumberLock); };
    auto stillAll = [](TForm2& f) { return Key(f.hkStillAll); };
    auto before = [](TForm2& f) { return Flag(f.chkAddWordBefore) + ":" + f.txtAddWordBefore->Text(); };
    const Case cases[] = {
        {"NumberLock=0x5", lock, "5", "NumberLock", "5"},
        {"NumberLock=$7", lock, "7", "NumberLock", "7"},
        {"NumberLock=abc", lock, "3", "NumberLock", "3"},
        {"NumberLock=15", lock, "9", "NumberLock", "9"},
        {"NumberLock=99999999999", lock, "3", "NumberLock", "3"},
        {"RecTime=100", [](TForm2& f) { return Number(f.spnRecTime); }, "300", "RecTime", "300"},
        {"SetStartNum=-5", [](TForm2& f) { return Number(f.spnSetStartNum); }, "0", "SetStartNum", "0"},
        {"SaveMode=7", [](TForm2& f) { return std::to_string(f.rgMode->ItemIndex()); }, "2", "SaveMode", "2"},
        {"SaveMode=-1", [](TForm2& f) { return std::to_string(f.rgMode->ItemIndex()); }, "0", "SaveMode", "0"},
        {"StillAll=ctrl+alt+f", stillAll, "Ctrl+Alt+F", "StillAll", "Ctrl+Alt+F"},
        {"StillAll=Alt+Ctrl+F", stillAll, "Ctrl+Alt+F", "StillAll", "Ctrl+Alt+F"},
        {"StillAll=^Alt+F", stillAll, "Ctrl+Alt+F", "StillAll", "Ctrl+Alt+F"},
        {"StillAll=shift+CTRL+pgdn", stillAll, "Shift+Ctrl+PgDn", "StillAll", "Shift+Ctrl+PgDn"},
        // The hotkey control takes no bare key and no Shift alone.
        {"StillAll=F", stillAll, "Ctrl+Alt+F", "StillAll", "Ctrl+Alt+F"},
        {"StillAll=Shift+Del", stillAll, "Ctrl+Alt+Del", "StillAll", "Ctrl+Alt+Del"},
        {"StillAll=Ctrl+Alt+Nothing", stillAll, "", "StillAll", ""},
        {"NumLockZero=0", [](TForm2& f) { return Flag(f.chkNumLockZero); }, "off", "NumLockZero", "0"},
        {"Compress=2", [](TForm2& f) { return Flag(f.chkCompress); }, "on", "Compress", "1"},
        {"Compress=yes", [](TForm2& f) { return Flag(f.chkCompress); }, "off", "Compress", "0"},
        // Spaces around a word are kept by quoting it.
        {"AddWordBefore=\" cap \"", before, "off: cap ", "AddWordBefore", "\" cap \""},
        {"AddWordBefore=" + longWord, [](TForm2& f) { return std::to_string(f.txtAddWordBefore->Text().size()); },
         "2047", "AddWordBefore", std::string(2047, 'w')},
        {"AddWordBefore=" + cutWord, [](TForm2& f) { return std::to_string(f.txtAddWordBefore->Text().size()); },
         "2046", "AddWordBefore", std::string(2046, 'w')},
        // A file with the values alone: each box is on when its value is a non-zero number.
        {"AddWordBefore=cap_", before, "off:cap_", "CheckStates", "00100"},
        {"AddWordBefore=1", before, "on:1", "CheckStates", "10100"},
        {"SetEndNum=999", [](TForm2& f) { return Flag(f.chkSetEndNum); }, "on", "CheckStates", "00101"},
        {"NumberLock=0", [](TForm2& f) { return Flag(f.chkNumberLock) + ":" + Number(f.spnNumberLock); }, "off:1",
         "CheckStates", "00000"},
        // The states the program keeps win over the values.
        {"SetEndNum=999\r\nNumberLock=3\r\nCheckStates=00010",
         [](TForm2& f) { return Flag(f.chkNumberLock) + Flag(f.chkSetStartNum) + Flag(f.chkSetEndNum); }, "offonoff",
         "CheckStates", "00010"},
        {"CheckStates=0012", [](TForm2& f) { return Flag(f.chkNumberLock); }, "on", "CheckStates", "00100"},
        // The name of the computer's root, which has no path: the tree stays where it starts.
        {"Folder=マイ コンピュータ", [](TForm2& f) { return f.SelectedPath(); }, DesktopPath(), "Folder",
         DesktopPath()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.line.substr(0, 60)));
        Restart("[Pictavo]\r\n" + c.line + "\r\n");
        EXPECT_EQ(Utf8(c.control(*form2)), Utf8(c.shown));
        SaveSettings(form2->SettingsFile(), form2->Values());
        EXPECT_EQ(StoredText(ReadFileBytes(SettingsPath()), c.key), c.stored);
    }
}

TEST_F(SettingsFile, EverySettingIsAsTheUserLeftItAfterARestart) {
    // Everything the window holds, enabled states included.
    auto state = [this] {
        std::string text = form2->SelectedPath();
        for (TEdit* edit : std::initializer_list<TEdit*>{form2->txtAddWordBefore, form2->txtAddWordAfter,
                                                         form2->spnNumberLock, form2->spnSetStartNum,
                                                         form2->spnSetEndNum, form2->spnFrameRate, form2->spnRecTime}) {
            text += "|" + edit->Text() + (edit->Enabled() ? "" : "(off)");
        }
        for (TCheckBox* box :
             {form2->chkAddWordBefore, form2->chkAddWordAfter, form2->chkNumberLock, form2->chkNumLockZero,
              form2->chkSetStartNum, form2->chkSetEndNum, form2->chkCompress, form2->chkLoadSettingPass}) {
            text += "|" + Flag(box);
        }
        for (THotKey* key : {form2->hkStillAll, form2->hkStillActive, form2->hkMovieStart, form2->hkMovieEnd}) {
            text += "|" + Key(key) + (key->Enabled() ? "" : "(off)");
        }
        return text + "|" + std::to_string(form2->rgMode->ItemIndex());
    };
    BoxRecorder boxes;
    form2->Show();
    const std::string folder = shots / "撮影フォルダ";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    form2->SelectPath(folder);
    form2->txtAddWordBefore->SetText("画面_");
    form2->txtAddWordAfter->SetText("_end");
    form2->chkAddWordAfter->SetChecked(true);
    // Unchecked boxes whose values read as true, a checked one whose value reads as false.
    form2->spnNumberLock->SetValue(5);
    form2->chkNumberLock->SetChecked(false);
    form2->spnSetStartNum->SetValue(7);
    form2->chkSetEndNum->SetChecked(true);
    form2->spnSetEndNum->SetValue(0);
    form2->rgMode->SetItemIndex(kModeAvi);
    form2->hkStillAll->SetHotKey(scShift | scCtrl | VK_F5);
    form2->hkMovieStart->SetHotKey(0);
    form2->hkMovieEnd->SetHotKey(scCtrl | scAlt | VK_HOME);
    form2->spnFrameRate->SetValue(10);
    form2->spnRecTime->SetValue(4500);
    form2->chkCompress->SetChecked(true);
    form2->chkLoadSettingPass->SetChecked(true);
    const std::string left = state();
    form2->btnStartPhotographing->Click();
    ASSERT_FALSE(form2->Visible());

    Restart();
    EXPECT_EQ(Utf8(state()), Utf8(left));
    // The main window's start number is the loaded one, whether or not its box is on.
    EXPECT_EQ(form1->StartNumber(), 7);
}

namespace {
// The malformed files are read in blocks, cases of their own that a run can share among its
// cores. Every block draws all the files in turn, so a file is the same whichever block reads it.
constexpr int kMalformedFiles = 240;
constexpr int kMalformedBlocks = 4;
class MalformedFiles : public SettingsFile, public testing::WithParamInterface<int> {};
}  // namespace

TEST_P(MalformedFiles, LoadIntoControlsWithinTheirRanges) {
    const char* keys[] = {"Folder",    "AddWordBefore", "AddWordAfter", "NumberLock",  "NumLockZero", "SetStartNum",
                          "SetEndNum", "SaveMode",      "StillAll",     "StillActive", "MovieStart",  "MovieEnd",
                          "FrameRate", "RecTime",       "Compress",     "SettingPass", "CheckStates"};
    std::mt19937 random(20260101);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto bytes = [&](std::size_t n, bool binary) {
        std::string s(n, ' ');
        for (char& c : s) c = static_cast<char>(binary ? pick(256) : 0x20 + pick(0x5F));
        return s;
    };
    auto value = [&]() -> std::string {
        switch (pick(10)) {
            case 0:
                return std::to_string(static_cast<int>(random()));
            case 1:
                return "-" + std::to_string(pick(100000));
            case 2:
                return (pick(2) ? "0x" : "$") + bytes(1 + pick(12), false);
            case 3:
                return std::string(2047 + pick(3000), pick(2) ? '9' : 'x');
            case 4:
                return bytes(pick(40), true);
            case 5:
                return "Ctrl+Alt+" + bytes(1 + pick(3), false);
            case 6:
                return "^^^^Shift+" + std::string(1, static_cast<char>('A' + pick(26)));
            case 7:
                return std::string(pick(2) ? "0" : "") + "0x" + std::string(20, 'F');
            case 8:
                return "\"" + bytes(pick(30), false);
            default:
                return "";
        }
    };
    auto file = [&](int n) {
        std::string text;
        switch (n % 6) {
            case 0:
                return bytes(1 + pick(4000), true);  // binary
            case 1:
                text = "[Pictavo]\r\n" + bytes(200000 + pick(800000), false);
                break;  // huge
            case 2:
                text = "\xEF\xBB\xBF[Pictavo]\n";
                break;  // marked, Unix lines
            case 3:
                text = "[Other]\r\nNumberLock=9\r\n[Pictavo]\r\n";
                break;
            case 4:
                text = "[Pictavo]\r\n" + std::string(2048 + pick(2000), 'K') + "=1\r\n";
                break;
            default:
                text = "[Pictavo]\r\n";
                break;
        }
        // Keys in any order, some twice, some missing.
        for (int i = 0, count = pick(40); i < count; ++i) text += std::string(keys[pick(17)]) + "=" + value() + "\r\n";
        if (pick(3) == 0) text += "[Pictavo]\r\nSaveMode=" + value() + "\r\n";
        return text;
    };
    auto inRange = [](TSpinEdit* spin) {
        return spin->Value() >= spin->MinValue() && spin->Value() <= spin->MaxValue();
    };
    auto acceptedKey = [](THotKey* hotKey) {
        const TShortCut key = hotKey->HotKey();
        return key == 0 || ((key & 0x1FFF) <= 0xFF && (key & 0x1FFF) != 0 && (key & (scCtrl | scAlt)));
    };
    BoxRecorder boxes;
    for (int n = 0; n < kMalformedFiles; ++n) {
        const std::string content = file(n);
        if (n * kMalformedBlocks / kMalformedFiles != GetParam()) continue;
        SCOPED_TRACE(n);
        Restart(content);
        for (TSpinEdit* spin : {form2->spnNumberLock, form2->spnSetStartNum, form2->spnSetEndNum, form2->spnFrameRate,
                                form2->spnRecTime}) {
            EXPECT_TRUE(inRange(spin)) << spin->Text();
        }
        EXPECT_GE(form2->rgMode->ItemIndex(), 0);
        for (THotKey* hotKey : {form2->hkStillAll, form2->hkStillActive, form2->hkMovieStart, form2->hkMovieEnd}) {
            EXPECT_TRUE(acceptedKey(hotKey)) << hotKey->HotKey();
        }
        EXPECT_LE(form2->txtAddWordBefore->Text().size(), 2047u);
        EXPECT_LE(form2->SelectedPath().size(), 2047u);
        EXPECT_NE(form2->MakeFileName(1).back(), '.') << "a save mode is selected";
    }
    // A folder the tree cannot show is told; nothing else is.
    for (const MessageBoxRequest& box : boxes.Boxes()) {
        EXPECT_EQ(box.text.rfind("保存先フォルダ ", 0), 0u) << Utf8(box.text.substr(0, 100));
        EXPECT_TRUE(box.text.ends_with(kFolderGone)) << Utf8(box.text.substr(0, 100));
    }
}

INSTANTIATE_TEST_SUITE_P(Blocks, MalformedFiles, testing::Range(0, kMalformedBlocks));

TEST_F(SettingsFile, AFolderTheTreeCannotShowIsToldOnceEveryOtherKeyIsRead) {
    const std::string gone = shots / "消えたフォルダ";
    BoxRecorder boxes;
    Restart("[Pictavo]\r\nFolder=" + gone + "\r\nNumberLock=5\r\nSaveMode=2\r\nCompress=1\r\n");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Pictavo");
    EXPECT_EQ(Utf8(boxes.Boxes()[0].text), Utf8("保存先フォルダ " + gone + kFolderGone));
    EXPECT_EQ(form2->spnNumberLock->Value(), 5);
    EXPECT_EQ(form2->rgMode->ItemIndex(), kModeAvi);
    EXPECT_TRUE(form2->chkCompress->Checked());
    EXPECT_EQ(form2->SelectedPath(), DesktopPath()) << "the tree stays where it starts";
    EXPECT_EQ(form2->FolderPath(), DesktopPath()) << "and the list shows it";
}

// As start-up makes it: the file read and the saved folder's reading begun before the window,
// which is made from them. The list shows the folder as it is when the window is made: a
// file that came after the reading began is there too.
TEST_F(SettingsFile, AWindowMadeFromStartUpsReadingShowsTheSavedFolderAsItIsNow) {
    for (const bool changedMeanwhile : {false, true}) {
        TempFolder saved;
        WriteFileBytes(saved / "a.jpeg", "");
        WriteFileBytes(saved / "b.jpeg", "");
        WriteFileBytes(SettingsPath(), "[Pictavo]\r\nFolder=" + saved.Path() + "\r\nNumberLock=5\r\n");
        TSavedSettings read = TSavedSettings::Read(SettingsPath(), true);
        ASSERT_TRUE(read.reading);
        if (changedMeanwhile) {
            // After the reading is over: what it read is out of date.
            read.reading->WaitForReading();
            WriteFileBytes(saved / "c.jpeg", "");
        }
        BoxRecorder boxes;
        delete form2;
        form2 = new TForm2(&TApplication::Instance(), std::move(read));
        form1->ConnectSettingsWindow(*form2);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(form2->spnNumberLock->Value(), 5);
        EXPECT_TRUE(SameFolder(form2->SelectedPath(), saved.Path()));
        EXPECT_TRUE(SameFolder(form2->FolderPath(), saved.Path()));
        ASSERT_NE(form2->KeshShListView1->ShFileList(), nullptr);
        EXPECT_EQ(form2->KeshShListView1->ShFileList()->Count(), changedMeanwhile ? 3 : 2);
    }
}

TEST(SettingsFilePath, IsTheExecutablesWithItsExtensionReplaced) {
    EXPECT_EQ(TSettingsFile::IniPathFor("C:\\Tools\\Pictavo.exe"), "C:\\Tools\\Pictavo.ini");
    EXPECT_EQ(TSettingsFile::IniPathFor("C:\\v1.2\\Pictavo"), "C:\\v1.2\\Pictavo.ini");
    EXPECT_EQ(TSettingsFile::IniPathFor("C:\\x\\my.app.exe"), "C:\\x\\my.app.ini");
    const std::string beside = TSettingsFile::BesideExecutable();
    EXPECT_EQ(beside.substr(beside.rfind('\\') + 1), "settings_tests.ini");
}
