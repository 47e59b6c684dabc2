// How long the search for a free file name takes when all 1000 numbers are taken: once with
// the files named in the same case as the probes, once in another case (001.bmp on disk,
// 001.BMP probed), beside the same search done with one existence probe per name.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/TForm1.h"
#include "bench/BenchTiming.h"
#include "settings/TForm2.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/TApplication.h"
#include "toolkit/UniqueHandle.h"

namespace {
std::string MakeFolder(const char* name, bool lowerCase) {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (int n = 0; n <= 999; ++n) {
        char file[32];
        std::snprintf(file, sizeof file, lowerCase ? "\\%03d.bmp" : "\\%03d.BMP", n);
        UniqueFileHandle created(
            ::CreateFileA((folder + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return folder + "\\";
}

void RemoveFolder(const std::string& folder) {
    for (int n = 0; n <= 999; ++n) {
        char file[16];
        std::snprintf(file, sizeof file, "%03d.BMP", n);
        ::DeleteFileA((folder + file).c_str());
    }
    ::RemoveDirectoryA(folder.c_str());
}

double TimeSearch(const std::string& folder) {
    std::vector<double> runs;
    for (int i = 0; i < 15; ++i) {
        std::string path;
        const double start = Now();
        Form1->FindFreeFileName(folder + "x", path);
        runs.push_back(Now() - start);
    }
    return Median(runs);
}

double TimeProbes(const std::string& folder) {
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        const double start = Now();
        for (int n = 0; n <= 999; ++n) {
            std::string name = folder + Form2->MakeFileName(n);
            volatile DWORD attributes = ::GetFileAttributesA(name.c_str());
            (void)attributes;
        }
        runs.push_back(Now() - start);
    }
    return Median(runs);
}
}  // namespace

int main() {
    TApplication application;
    application.SetTitle("Pictavo");
    MessageBoxes::SetHandler([](const MessageBoxRequest&) { return IDOK; });
    auto* form1 = new TForm1(&application);
    form1->ConnectSettingsWindow(*new TForm2(&application));
    Form2->spnSetStartNum->SetValue(0);
    Form2->spnSetEndNum->SetValue(999);

    const std::string same = MakeFolder("pictavo-bench-same", false);
    const std::string other = MakeFolder("pictavo-bench-case", true);
    std::printf("Free-name search over 1000 taken names (median, ms)\n");
    std::printf("  FindFreeFileName, same case         %8.2f\n", TimeSearch(same));
    std::printf("  FindFreeFileName, different case    %8.2f\n", TimeSearch(other));
    std::printf("  one probe per name, same case       %8.2f\n", TimeProbes(same));
    std::printf("  one probe per name, different case  %8.2f\n", TimeProbes(other));
    std::printf("  goal: FindFreeFileName within 20 ms in either case\n");
    RemoveFolder(same);
    RemoveFolder(other);
    return 0;
}
