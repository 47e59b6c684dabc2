// The release archive as a user meets it: unpacked into a folder of their own whose path
// holds spaces and Japanese, the program started from there, used and quit; and the
// version it carries agreeing with the archive's name and its read-me.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>

#include "settings/VersionReader.h"
#include "tests/app/ProgramMenu.h"
#include "tests/app/RemoteControls.h"
#include "tests/support/BmpSummary.h"
#include "tests/support/ProgramDriver.h"
#include "toolkit/UniqueHandle.h"

namespace {
using std::chrono::seconds;

const std::string kReadMe = "はじめにお読みください.txt";

// Every name in a folder, files and folders, in order, in UTF-8 (a garbled name reads as
// such in a failure).
std::vector<std::string> EntriesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    UniqueFindHandle find(::FindFirstFileA((folder + "\\*").c_str(), &data));
    if (!find) return names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(Utf8(name));
    } while (::FindNextFileA(find.get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

// The archive the build packed (the folder is given as a Unix path, reached through Z:).
std::string PackedArchive() {
    const char* dist = std::getenv("PICTAVO_DIST");
    if (!dist) return {};
    std::string folder = std::string("Z:") + dist;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    std::string found;
    for (const std::string& name : EntriesIn(folder)) {
        if (name.starts_with("Pictavo-") && name.ends_with(".zip")) found = folder + "\\" + name;
    }
    return found;
}

std::string UserProfile() {
    char path[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}
}  // namespace

TEST(ReleaseArchive, UnpackedIntoAFolderOfTheUsersItRunsThereAndWritesOnlyItsSettingsBesideItself) {
    const std::string archive = PackedArchive();
    ASSERT_FALSE(archive.empty()) << "no archive in PICTAVO_DIST";
    const std::string archiveName = archive.substr(archive.rfind('\\') + 1);
    const std::string version = archiveName.substr(8, archiveName.size() - 8 - 4);

    // Unpacked as Windows' "Extract All" does, into a folder named by the user. The names
    // in the archive come out right only if it says they are UTF-8.
    const std::string downloads = UserProfile() + "\\ダウンロード\\Pictavo " + version;
    ASSERT_EQ(::SHCreateDirectoryExA(nullptr, downloads.c_str(), nullptr), ERROR_SUCCESS);
    ASSERT_TRUE(
        RunHostCommand("python3 -m zipfile -e '" + UnixPath(archive) + "' '" + UnixPath(downloads) + "'", seconds(60)));
    ASSERT_EQ(EntriesIn(downloads), std::vector<std::string>{"Pictavo-" + version});
    const std::string folder = downloads + "\\Pictavo-" + version;
    ASSERT_EQ(EntriesIn(folder), (std::vector<std::string>{"Pictavo.exe", Utf8(kReadMe)}));

    // One version in three places: the archive's name, the read-me's title and the
    // resource that the version dialog reads.
    std::string shown;
    ReadVersionString(folder + "\\Pictavo.exe", vkProductVersion, shown);
    EXPECT_EQ(shown, version);
    EXPECT_TRUE(ReadFileBytes(folder + "\\" + kReadMe).starts_with("\xEF\xBB\xBFPictavo " + version + "\r\n"));

    // A first start: the save folder picked in the tree, the start button, a still by the
    // key, quit from the tray.
    const ExpectedMenu stillMode =
        DrawMenu({"画面全体をキャプチャ", "アクティブなウインドウだけをキャプチャ", "設定", "バージョン情報", "終了"});
    DesktopFolder shots("スクリーン ショット");
    ProgramDriver program(folder + "\\Pictavo.exe");
    HWND settings = program.StartToSettings();
    ASSERT_NE(settings, nullptr) << "the unpacked program shows its settings window";
    RECT item{};
    HWND tree = ProgramDriver::FindControl(settings, "SysTreeView32", "");
    ASSERT_TRUE(PumpUntil([&] { return (item = TreeItemRect(tree, "スクリーン ショット")).right > 0; }));
    ASSERT_TRUE(RunHostCommand(Click(Middle(item))));
    ASSERT_TRUE(PumpUntil(
        [&] { return ProgramDriver::FindControl(settings, "", "選択されているフォルダ\r\n" + shots.Path()); }));
    ASSERT_TRUE(program.ConfirmSettings(settings));
    const std::string still = shots / "000.BMP";
    ASSERT_TRUE(ProgramDriver::PressKeysUntil("ctrl+alt+f", [&] { return PathExists(still); }));
    ASSERT_TRUE(PumpUntil([&] { return ReadBmpSummary(still).width == ::GetSystemMetrics(SM_CXSCREEN); }));
    DWORD processId = 0;
    ::GetWindowThreadProcessId(settings, &processId);
    ASSERT_TRUE(ChooseFromTray(processId, stillMode, kQuitItem));
    ASSERT_TRUE(program.WaitForExit(seconds(10)));

    // Beside the program: its settings file, naming the folder picked; nothing else.
    EXPECT_EQ(EntriesIn(folder), (std::vector<std::string>{"Pictavo.exe", "Pictavo.ini", Utf8(kReadMe)}));
    char saved[MAX_PATH] = {};
    ::GetPrivateProfileStringA("Pictavo", "Folder", "", saved, sizeof saved, (folder + "\\Pictavo.ini").c_str());
    EXPECT_EQ(Utf8(saved), Utf8(shots.Path()));
}
