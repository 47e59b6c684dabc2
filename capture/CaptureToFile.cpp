#include "capture/CaptureToFile.h"

#include <memory>
#include <new>

#include "capture/Compositor.h"
#include "capture/JpegWriter.h"
#include "capture/MbString.h"
#include "capture/RaisedDpiAwareness.h"
#include "toolkit/BitmapDC.h"
#include "toolkit/CharWalk.h"
#include "toolkit/EOSError.h"
#include "toolkit/FilePath.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/TPicture.h"
#include "toolkit/WindowDC.h"

namespace {
// The caption of every box that reports a failed save.
const char kSystemErrorCaption[] = "Error";

// Makes the folder and every missing parent. Failures are not reported here: a folder
// that cannot be made shows up as the save's own error.
void ForceDirectories(const std::string& folder) {
    // Each '\' that ends a name closes one folder of the chain; the ones that follow a
    // drive's ':' or another '\' ("C:\", "\\server") close none.
    bool afterName = false;
    for (CharWalk walk(folder); !walk.AtEnd(); walk.Next()) {
        const char c = folder[walk.Position()];
        const bool separator = walk.CharSize() == 1 && (c == '\\' || c == ':');
        if (separator && c == '\\' && afterName) ::CreateDirectoryA(folder.substr(0, walk.Position()).c_str(), nullptr);
        afterName = !separator;
    }
    if (afterName) ::CreateDirectoryA(folder.c_str(), nullptr);
}

void Grab(HDC dc, int width, int height, TBitmap& bitmap, TPicture& holder) {
    bitmap.SetSize(width, height);
    CopyDCToBitmap(dc, bitmap);
    holder.Assign(bitmap);
}

// The working bitmap lives only in here, so that once the holder has its copy the screen
// is held once, and on failure the device context and bitmap are gone before the error
// reaches the caller.
void GrabSource(BYTE source, HWND window, TPicture& holder) {
    // Sizes, rectangles and pixels in the display's own pixels, for this grab alone.
    const RaisedDpiAwareness displayPixels;
    TBitmap bitmap;
    if (source == csWindow) {
        if (!window || !::IsWindow(window)) throw Exception("キャプチャするウインドウがありません");
        // Where the compositor knows the window's visible bounds, the still is taken there,
        // from the screen: the window's own rectangle also holds invisible resize borders,
        // which would show what lies behind. Those bounds are in the display's own pixels,
        // so only a grab in the same pixels may use them.
        RECT visible{};
        if (displayPixels.Raised() && Compositor::VisibleBounds(window, visible)) {
            WindowDC screen(nullptr);
            if (!screen) throw Exception("画面のデバイス コンテキストを取得できません");
            ::SetViewportOrgEx(screen.get(), visible.left, visible.top, nullptr);
            Grab(screen.get(), visible.right - visible.left, visible.bottom - visible.top, bitmap, holder);
            return;
        }
        WindowDC dc(window, WindowDC::Area::WholeWindow);
        RECT rect{};
        if (!dc || !::GetWindowRect(window, &rect)) throw Exception("キャプチャするウインドウがありません");
        Grab(dc.get(), rect.right - rect.left, rect.bottom - rect.top, bitmap, holder);
    } else {
        WindowDC dc(nullptr);
        if (!dc) throw Exception("画面のデバイス コンテキストを取得できません");
        Grab(dc.get(), ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), bitmap, holder);
    }
}

void Save(TPicture& holder, const std::string& path, TImageFormat format, const SaveFailureTeller& tell) {
    try {
        if (format == TImageFormat::ifJpeg) {
            JpegWriter().SaveToFile(holder.Bitmap(), path);
        } else {
            holder.SaveToFile(path);
        }
    } catch (const EOSError& error) {
        // The code travels with the failure: what ran since (freeing memory, closing
        // files) may have changed the thread's last error.
        tell({error.Code(), std::string()});
    } catch (const Exception& error) {
        // No system call failed, so no code says what happened; the failure's own text does.
        tell({0, error.what()});
    } catch (const std::bad_alloc&) {
        tell({ERROR_NOT_ENOUGH_MEMORY, std::string()});
    }
}
}  // namespace

bool IsJpegPath(const std::string& path) { return MbPos(path, "jpg") >= 1 || MbRight(path, 5) == ".JPEG"; }

void CaptureToFile(BYTE source, const std::string& path, TComponent* owner, HWND window) {
    const std::string folder = ExtractFilePath(path);
    if (!folder.empty()) ForceDirectories(folder);
    GrabToFile(source, path, owner, window, IsJpegPath(path) ? TImageFormat::ifJpeg : TImageFormat::ifBmp);
}

void GrabToFile(BYTE source, const std::string& path, TComponent* owner, HWND window, TImageFormat format,
                const SaveFailureTeller& tell) {
    std::unique_ptr<TPicture> holder(new TPicture(owner));
    PumpMessages();
    GrabSource(source, window, *holder);
    Save(*holder, path, format, tell);
}

bool CopyDCToBitmap(HDC dc, TBitmap& bitmap) {
    BitmapDC target(bitmap);
    ::BitBlt(target.get(), 0, 0, bitmap.Width(), bitmap.Height(), dc, 0, 0, SRCCOPY);
    return true;
}

void ShowSystemError(DWORD code) { MessageBoxes::Plain(EOSError::SystemText(code), kSystemErrorCaption, MB_OKCANCEL); }

void ShowSaveFailure(const SaveFailure& failure) {
    if (failure.code != 0) {
        ShowSystemError(failure.code);
    } else {
        MessageBoxes::Plain(failure.text, kSystemErrorCaption, MB_OKCANCEL);
    }
}
