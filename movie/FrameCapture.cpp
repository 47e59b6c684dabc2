#include "movie/FrameCapture.h"

#include <memory>

#include "capture/CaptureToFile.h"
#include "toolkit/Exception.h"
#include "toolkit/FilePath.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/TPicture.h"
#include "toolkit/WindowDC.h"

void CaptureFrameToFile(const std::string& path, TComponent* owner) {
    // The work folder lies beside the executable, whose folder exists: one level to make.
    const std::string folder = ExtractFilePath(path);
    if (folder.size() > 1) ::CreateDirectoryA(folder.substr(0, folder.size() - 1).c_str(), nullptr);
    std::unique_ptr<TPicture> holder(new TPicture(owner));
    PumpMessages();
    {
        WindowDC screen(nullptr);
        if (!screen) throw Exception("画面のデバイス コンテキストを取得できません");
        TBitmap bitmap;
        bitmap.SetSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        CopyDCToBitmap(screen.get(), bitmap);
        holder->Assign(bitmap);
    }
    try {
        holder->SaveToFile(path);
    } catch (const Exception&) {
        ShowSystemError(::GetLastError());
    } catch (const std::bad_alloc&) {
        ShowSystemError(ERROR_NOT_ENOUGH_MEMORY);
    }
}
