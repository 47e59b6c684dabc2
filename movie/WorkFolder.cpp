#include "movie/WorkFolder.h"

#include <shellapi.h>

#include "toolkit/FilePath.h"

std::string WorkFolderPath() {
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    return ExtractFilePath(exe) + "moviework";
}

std::string FrameFilePath(int number) { return WorkFolderPath() + "\\" + std::to_string(number) + ".bmp"; }

int DeleteFolderTree(HWND owner, const std::string& path) {
    // A list of one path: the name, then the list's own terminating zero.
    const std::string from = path + '\0';
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.pTo = "";
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION;
    operation.fAnyOperationsAborted = FALSE;
    operation.hNameMappings = nullptr;
    operation.lpszProgressTitle = nullptr;
    return ::SHFileOperationA(&operation);
}
