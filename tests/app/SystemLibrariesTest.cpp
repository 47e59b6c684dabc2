// The real Pictavo.exe unpacked into a folder that also holds libraries named as the
// system's own, as a download folder may: driven through every path that loads one (start
// and the version dialog, an active-window still, a movie with and without compression),
// it loads none of them and nothing else from its folder. Under Wine; what Windows adds is
// in the comments.
#include <gtest/gtest.h>
#include <psapi.h>

#include <utility>

#include "tests/app/ForeignWindow.h"
#include "tests/support/ProgramDriver.h"
#include "tests/support/ScreenSearch.h"

namespace {
using std::chrono::seconds;

// Not version.dll: Wine's own user32 imports it, so under Wine one lying beside the program
// is loaded before the program runs a line. Windows' user32 does not; the import check
// keeps the program from importing it at start.
const char* const kPlanted[] = {"comctl32", "dwmapi", "avifil32", "msvfw32"};

std::string PlantedFolder() {
    std::string path = "Z:" PLANTED_LIBRARIES;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

// Windows looks beside the program before its own folder for a library that it does not
// always take from there; Wine prefers its builtin libraries unless told to take one found
// on disk first. Set for the programs this process starts while the object lives.
class SearchedAsWindowsDoes {
public:
    SearchedAsWindowsDoes() {
        char old[512] = {};
        had_ = ::GetEnvironmentVariableA(kName, old, sizeof old) > 0;
        old_ = old;
        std::string order = had_ ? old_ + ";" : std::string();
        const char* separator = "";
        for (const char* name : kPlanted) order += std::exchange(separator, ",") + std::string(name);
        ::SetEnvironmentVariableA(kName, (order + "=n,b").c_str());
    }
    ~SearchedAsWindowsDoes() { ::SetEnvironmentVariableA(kName, had_ ? old_.c_str() : nullptr); }

private:
    static constexpr const char* kName = "WINEDLLOVERRIDES";
    bool had_ = false;
    std::string old_;
};

// The files of the modules the process has loaded.
std::vector<std::string> ModulesOf(DWORD processId) {
    std::vector<std::string> paths;
    UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    HMODULE modules[512];
    DWORD size = 0;
    if (!process || !::EnumProcessModules(process.get(), modules, sizeof modules, &size)) return paths;
    for (DWORD i = 0; i < size / sizeof(HMODULE) && i < 512; ++i) {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameExA(process.get(), modules[i], path, MAX_PATH);
        paths.push_back(path);
    }
    return paths;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return text;
}

enum class Journey { ActiveWindowStill, Movie, CompressedMovie };

class TakesNoLibraryFromItsFolder : public testing::TestWithParam<Journey> {};
}  // namespace

TEST_P(TakesNoLibraryFromItsFolder, OnAnyPath) {
    const Journey journey = GetParam();
    ProgramDriver program;
    for (const char* name : kPlanted) {
        const std::string file = std::string(name) + ".dll";
        ASSERT_TRUE(::CopyFileA((PlantedFolder() + "\\" + file).c_str(), (program.Folder() / file).c_str(), FALSE))
            << file;
    }
    // Made before the search order changes: it is not the program under test.
    std::unique_ptr<ForeignWindow> document;
    if (journey == Journey::ActiveWindowStill) {
        document = std::make_unique<ForeignWindow>(ForeignWindow::Document(RGB(30, 160, 60)));
        ASSERT_NE(document->Handle(), nullptr);
    }
    TempFolder output;
    if (journey != Journey::ActiveWindowStill) {
        program.WriteSetting("SaveMode", "2");
        program.WriteSetting("Compress", journey == Journey::CompressedMovie ? "1" : "0");
    }
    HWND settings = nullptr;
    {
        const SearchedAsWindowsDoes order;
        settings = program.StartToSettings(output.Path());
    }
    ASSERT_NE(settings, nullptr) << "the program did not start";
    DWORD processId = 0;
    ::GetWindowThreadProcessId(settings, &processId);
    ASSERT_TRUE(program.ConfirmSettings(settings));
    ShownBox box;

    if (journey == Journey::ActiveWindowStill) {
        const POINT at = document->Centre();
        ASSERT_TRUE(RunHostCommand(ClickAt(at.x, at.y)));
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == document->Handle(); }, seconds(10)));
        ASSERT_TRUE(SendKeys({VK_CONTROL, VK_MENU, 'A'}));
        EXPECT_TRUE(PumpUntil([&] { return ReadFileBytes(output / "000.BMP").size() > 54; }, seconds(10)));
    } else {
        const std::string firstFrame = program.Folder() / "moviework\\1.bmp";
        ASSERT_TRUE(ProgramDriver::PressKeysUntil("ctrl+alt+s", [&] { return PathExists(firstFrame); }));
        ASSERT_TRUE(ProgramDriver::PressKeysUntil("ctrl+alt+e", [&] { return !program.OpenBoxes().empty(); }));
        if (journey == Journey::CompressedMovie) {
            // The compressor dialog, its full frames (the only entry Wine offers for them) taken.
            ASSERT_TRUE(program.AnswerBox(box, IDOK));
            EXPECT_EQ(box.caption, "ＡＶＩ圧縮方式選択");
        }
        ASSERT_TRUE(program.AnswerBox(box, IDOK, seconds(20)));
        EXPECT_EQ(box.text, "ムービーを出力しました");
    }

    // None ran, and none lies among the program's modules: Wine may also map its own library
    // of that name under the file's path without running the file, where Windows would run it.
    for (const std::string& file : FileNamesIn(program.Folder().Path())) {
        EXPECT_EQ(file.find(".loaded"), std::string::npos) << file << ": the program loaded it";
    }
    const std::string folder = Lower(program.Folder().Path() + "\\");
    const std::vector<std::string> modules = ModulesOf(processId);
    ASSERT_FALSE(modules.empty());
    for (const std::string& module : modules) {
        const std::string path = Lower(module);
        if (path.rfind(folder, 0) == 0) {
            EXPECT_EQ(path, folder + "pictavo.exe") << "loaded from beside the program";
        }
        // Version 6 of the common controls, as the manifest asks, lies in the side-by-side store.
        if (path.size() > 13 && path.compare(path.size() - 13, 13, "\\comctl32.dll") == 0) {
            EXPECT_NE(path.find("\\winsxs\\"), std::string::npos) << path;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RunningProgram, TakesNoLibraryFromItsFolder,
                         testing::Values(Journey::ActiveWindowStill, Journey::Movie, Journey::CompressedMovie));
