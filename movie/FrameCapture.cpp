#include "movie/FrameCapture.h"

#include "capture/CaptureToFile.h"
#include "toolkit/FilePath.h"

void CaptureFrameToFile(const std::string& path, TComponent* owner, const SaveFailureTeller& tell) {
    // The work folder lies beside the executable, whose folder exists: one level to make.
    const std::string folder = ExtractFilePath(path);
    if (folder.size() > 1) ::CreateDirectoryA(folder.substr(0, folder.size() - 1).c_str(), nullptr);
    GrabToFile(csWholeScreen, path, owner, nullptr, TImageFormat::ifBmp, tell);
}
