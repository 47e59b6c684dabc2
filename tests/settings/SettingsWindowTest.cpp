// The settings window's start button, its failures and what it hands to the main window;
// the hotkey controls; the new-folder button; the shell's menu in the tree and the list.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <functional>

#include "tests/folderbrowser/UserInput.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/ProgramForms.h"

namespace {
// Whether a combination is held by a registration anywhere: another window cannot take it.
bool HotKeyTaken(UINT modifiers, UINT key) {
    HWND probe = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const bool free = ::RegisterHotKey(probe, 1, modifiers, key);
    if (free) ::UnregisterHotKey(probe, 1);
    ::DestroyWindow(probe);
    return !free;
}

const char kReturnHint[] =
    "再度設定画面を表示する場合は\r\nタスクトレイのアイコンを右クリックし、「設定」を押してください";

class StartButton : public ProgramForms {
protected:
    void SetUp() override {
        ProgramForms::SetUp();
        form2->Show();
    }
    TempFolder shots;
};
}  // namespace

TEST_F(StartButton, FirstPressWritesOneSectionOfKeysInOrderAndEntersShootingMode) {
    ASSERT_FALSE(PathExists(SettingsPath()));
    // Shown in BMP mode: the movie controls are off before the timer's first tick.
    EXPECT_FALSE(form2->spnFrameRate->Enabled());
    EXPECT_FALSE(form2->hkMovieStart->Enabled());
    form2->SelectPath(shots.Path());
    form2->rgMode->SetItemIndex(kModeJpeg);
    form2->spnSetStartNum->SetValue(12);
    form2->chkSetStartNum->SetChecked(true);
    BoxRecorder boxes;
    bool shownDuringBox = false;
    boxes.OnBox([&](const MessageBoxRequest&) { shownDuringBox = ::IsWindowVisible(form2->Handle()) != FALSE; });
    form2->btnStartPhotographing->Click();

    EXPECT_EQ(ReadFileBytes(SettingsPath()),
              "[Pictavo]\r\n"
              "Folder=" +
                  shots.Path() +
                  "\r\n"
                  "AddWordBefore=\r\nAddWordAfter=\r\nNumberLock=3\r\nNumLockZero=1\r\nSetStartNum=12\r\n"
                  "SetEndNum=999\r\nSaveMode=1\r\nStillAll=Ctrl+Alt+F\r\nStillActive=Ctrl+Alt+A\r\n"
                  "MovieStart=Ctrl+Alt+S\r\nMovieEnd=Ctrl+Alt+E\r\nFrameRate=5\r\nRecTime=1000\r\nCompress=0\r\n"
                  "SettingPass=0\r\nCheckStates=00110\r\n");
    ASSERT_EQ(boxes.Texts(), std::vector<std::string>{kReturnHint});
    EXPECT_EQ(boxes.Boxes()[0].caption, "情報");
    EXPECT_TRUE(shownDuringBox);
    EXPECT_FALSE(form2->Visible());
    EXPECT_FALSE(form2->Timer1->Enabled());
    EXPECT_EQ(form1->SaveFolder(), shots.Path() + "\\");
    EXPECT_EQ(form1->StartNumber(), 12);
    // JPEG: the two still items; the four keys are held.
    EXPECT_TRUE(form1->TB_Capture_ALL->Enabled());
    EXPECT_TRUE(form1->TB_Capture_Active->Enabled());
    EXPECT_FALSE(form1->TB_MovieCaptureStart->Enabled());
    EXPECT_TRUE(form1->HookHotKey1->Activate());
    EXPECT_TRUE(HotKeyTaken(MOD_CONTROL | MOD_ALT, 'F'));
    EXPECT_TRUE(HotKeyTaken(MOD_CONTROL | MOD_ALT, 'E'));

    // Shown again: setting mode, searching from the start number handed over.
    form2->spnSetStartNum->SetValue(0);
    form2->Show();
    EXPECT_EQ(form2->spnSetStartNum->Value(), 12);
    EXPECT_FALSE(form1->TB_Capture_ALL->Enabled());
    EXPECT_FALSE(form1->HookHotKey1->Activate());
}

TEST_F(StartButton, AFolderThatCannotTakeTheFilesIsRefusedAndNothingChanges) {
    TKeshShTreeView& tree = *form2->KeshShTreeView1;
    TKeshShListView& list = *form2->KeshShListView1;
    // Selected while it is there, then taken away before the press (the list lets go of
    // the folder it watches meanwhile, or it could not be removed).
    auto selectThen = [&](const std::string& folder, std::function<void()> after) {
        return [&tree, &list, folder, after] {
            ::CreateDirectoryA(folder.c_str(), nullptr);
            tree.SelectPath(folder);
            ASSERT_EQ(tree.SelectedPath(), folder);
            list.SuspendWatching(true);
            after();
            list.ResumeWatching(true);
            ASSERT_FALSE(DirectoryExists(folder));
        };
    };
    const std::string gone = shots / "消えた";
    const std::string file = shots / "file.txt";
    struct Case {
        std::string what;
        std::function<void()> select;
        std::string message;
    };
    const Case cases[] = {
        {"the computer, which has no path",
         [&] {
             for (TKeshShTreeNode* node : tree.Children(tree.RootNode())) {
                 if (node->ShData()->ItemKind() == itMyComputer) tree.Select(node);
             }
             ASSERT_EQ(tree.Selected()->ShData()->ItemKind(), itMyComputer);
         },
         "保存先フォルダを選択してください"},
        {"a name outside the code page",
         [&] {
             // The temporary folder's path is plain ASCII.
             const std::wstring folder(shots.Path().begin(), shots.Path().end());
             ::CreateDirectoryW((folder + L"\\caf\u00e9").c_str(), nullptr);
             tree.SelectPath(shots.Path());
             TKeshShTreeNode* shotsNode = tree.Selected();
             tree.Expand(shotsNode);
             ASSERT_EQ(tree.Children(shotsNode).size(), 1u);
             tree.Select(tree.Children(shotsNode)[0]);
             ASSERT_EQ(tree.SelectedPath(), "");
         },
         "保存先フォルダの名前に、このプログラムでは扱えない文字が含まれています。\r\n"
         "別のフォルダを選択してください"},
        {"gone", selectThen(gone, [&] { ::RemoveDirectoryA(gone.c_str()); }),
         "保存先フォルダが見つかりません。\r\n" + gone},
        {"a file now",
         selectThen(file,
                    [&] {
                        ::RemoveDirectoryA(file.c_str());
                        WriteFileBytes(file, "x");
                    }),
         "保存先に選ばれているのはフォルダではありません。\r\n" + file},
    };
    form1->SetSaveFolder("unchanged\\");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.select();
        if (HasFatalFailure()) return;
        BoxRecorder boxes;
        form2->btnStartPhotographing->Click();
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].caption, "エラー");
        EXPECT_EQ(Utf8(boxes.Boxes()[0].text), Utf8(c.message));
        EXPECT_TRUE(form2->Visible());
        EXPECT_TRUE(form2->Timer1->Enabled());
        EXPECT_FALSE(PathExists(SettingsPath()));
        EXPECT_EQ(form1->SaveFolder(), "unchanged\\");
        EXPECT_FALSE(form1->TB_Capture_ALL->Enabled());
    }
}

TEST_F(StartButton, AFileThatCannotBeWrittenStopsTheSaveAndTheHotKeysStayAsTheyWere) {
    form2->SelectPath(shots.Path());
    {
        BoxRecorder boxes;
        form2->btnStartPhotographing->Click();
    }
    ASSERT_TRUE(HotKeyTaken(MOD_CONTROL | MOD_ALT, 'F'));
    const std::string before = ReadFileBytes(SettingsPath());
    form2->Show();
    form2->hkStillAll->SetHotKey(scCtrl | scAlt | 'G');
    form2->spnSetStartNum->SetValue(40);
    form2->chkSetStartNum->SetChecked(true);
    if (!RunHostCommand("chattr +i '" + UnixPath(SettingsPath()) + "'")) {
        GTEST_SKIP() << "no read-only file here (chattr)";
    }
    BoxRecorder boxes;
    form2->btnStartPhotographing->Click();
    RunHostCommand("chattr -i '" + UnixPath(SettingsPath()) + "'");

    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Pictavo");
    EXPECT_EQ(Utf8(boxes.Boxes()[0].text), Utf8(SettingsPath() + " に書き込めません."));
    EXPECT_EQ(ReadFileBytes(SettingsPath()), before);
    // No later step ran: shown, the timer stopped, nothing handed over or registered.
    EXPECT_TRUE(::IsWindowVisible(form2->Handle()));
    EXPECT_FALSE(form2->Timer1->Enabled());
    EXPECT_EQ(form1->StartNumber(), 0);
    EXPECT_FALSE(form1->HookHotKey1->Activate());
    EXPECT_FALSE(HotKeyTaken(MOD_CONTROL | MOD_ALT, 'G'));
    EXPECT_TRUE(HotKeyTaken(MOD_CONTROL | MOD_ALT, 'F'));
}

// Whatever is typed into a spin box, the file and the box get a number of its range; text
// that is no number gives back the value the box held before.
TEST_F(StartButton, TypedNumbersReachTheFileAndTheBoxesOnlyWithinTheirRanges) {
    struct Box {
        TSpinEdit* spin;
        const char* key;
        int before;
    };
    const Box spins[] = {{form2->spnNumberLock, "NumberLock", 4},
                         {form2->spnSetStartNum, "SetStartNum", 12},
                         {form2->spnSetEndNum, "SetEndNum", 500},
                         {form2->spnFrameRate, "FrameRate", 7},
                         {form2->spnRecTime, "RecTime", 2000}};
    struct Case {
        const char* typed;
        std::array<int, 5> expected;  // in the order of the boxes above
    };
    const Case cases[] = {
        {"0", {1, 0, 0, 1, 300}},           {"50", {9, 50, 50, 10, 300}},   {"-1", {1, 0, 0, 1, 300}},
        {"99999", {9, 999, 999, 10, 5000}}, {"abc", {4, 12, 500, 7, 2000}}, {"", {4, 12, 500, 7, 2000}},
    };
    form2->SelectPath(shots.Path());
    form2->chkSetStartNum->SetChecked(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
        form2->Show();
        for (const Box& box : spins) {
            box.spin->SetValue(box.before);
            ::SendMessageA(box.spin->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed));
        }
        BoxRecorder boxes;
        form2->btnStartPhotographing->Click();
        ASSERT_EQ(boxes.Texts(), std::vector<std::string>{kReturnHint});
        for (size_t i = 0; i < std::size(spins); ++i) {
            char saved[32] = {};
            ::GetPrivateProfileStringA("Pictavo", spins[i].key, "", saved, sizeof saved, SettingsPath().c_str());
            EXPECT_EQ(std::string(saved), std::to_string(c.expected[i])) << spins[i].key;
            EXPECT_EQ(spins[i].spin->Text(), std::to_string(c.expected[i])) << spins[i].key;
        }
        EXPECT_EQ(form1->StartNumber(), c.expected[1]);
    }
}

using SettingsWindow = ProgramForms;

TEST_F(SettingsWindow, HotKeyControlTurnsABareKeyOrShiftAloneIntoCtrlAlt) {
    form2->Show();
    HWND control = form2->hkStillAll->Handle();
    auto type = [this, control](std::initializer_list<WPARAM> keys) {
        for (WPARAM key : keys) ::SendMessageA(control, WM_KEYDOWN, key, 1);
        for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
            ::SendMessageA(control, WM_KEYUP, *key, 0xC0000001);
        }
        return form2->hkStillAll->HotKey();
    };
    EXPECT_EQ(type({'G'}), scCtrl | scAlt | 'G');
    EXPECT_EQ(type({VK_SHIFT, 'H'}), scCtrl | scAlt | 'H');
    EXPECT_EQ(type({VK_CONTROL, 'J'}), scCtrl | 'J');
    EXPECT_EQ(type({VK_CONTROL, VK_SHIFT, 'K'}), scShift | scCtrl | 'K');
}

TEST_F(SettingsWindow, NewFolderTakesTheFirstNameNoEntryHasAndAFileCountsAsTaken) {
    TempFolder folder;
    form2->SelectPath(folder.Path());
    ::CreateDirectoryA((folder / "新しいフォルダ").c_str(), nullptr);
    WriteFileBytes(folder / "新しいフォルダ (1)", "a file");
    form2->btnNewFolder->Click();
    form2->btnNewFolder->Click();
    EXPECT_EQ(::GetFileAttributesA((folder / "新しいフォルダ (2)").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_NE(::GetFileAttributesA((folder / "新しいフォルダ (3)").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFileBytes(folder / "新しいフォルダ (1)"), "a file");
}

// The tree and the list both offer the shell's menu for the item under the pointer, and
// what it deletes leaves both, as the folder label shows.
TEST_F(SettingsWindow, TreeAndListShareTheShellsMenuAndFollowWhatItDeletes) {
    using std::chrono::seconds;
    TempFolder folder;
    ::CreateDirectoryA((folder / "保存先").c_str(), nullptr);
    ::CreateDirectoryA((folder / "保存先\\いらない").c_str(), nullptr);
    form2->Show();
    form2->SelectPath(folder / "保存先");
    HWND list = form2->KeshShListView1->Handle();
    ASSERT_TRUE(PumpUntil([&] { return ListView_GetItemCount(list) == 1; }));
    {
        MenuChooser chooser("削除", true);
        ASSERT_TRUE(Xdo("mousemove " + ScreenAt(list, RowPoint(list, 0)) + " click 3"));
        ASSERT_TRUE(PumpUntil([&] { return chooser.Done(); }, seconds(30)));
        EXPECT_TRUE(chooser.Succeeded());
    }
    EXPECT_FALSE(PathExists(folder / "保存先\\いらない"));
    EXPECT_EQ(ListView_GetItemCount(list), 0);

    TKeshShTreeView& tree = *form2->KeshShTreeView1;
    HWND treeWindow = tree.Handle();
    TreeView_EnsureVisible(treeWindow, tree.Selected()->Item());
    {
        MenuChooser chooser("削除", true);
        ASSERT_TRUE(
            Xdo("mousemove " + ScreenAt(treeWindow, NodePoint(treeWindow, tree.Selected()->Item())) + " click 3"));
        ASSERT_TRUE(PumpUntil([&] { return chooser.Done(); }, seconds(30)));
        EXPECT_TRUE(chooser.Succeeded());
    }
    EXPECT_FALSE(PathExists(folder / "保存先"));
    EXPECT_EQ(form2->SelectedPath(), folder.Path());
    EXPECT_EQ(form2->FolderPath(), folder.Path());
    ASSERT_TRUE(
        PumpUntil([&] { return form2->lblNowFolder->Caption() == "選択されているフォルダ\r\n" + folder.Path(); }));
}
