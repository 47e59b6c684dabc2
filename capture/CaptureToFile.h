#pragma once
// The screen grabber and image writer: copies the whole primary screen, or one window with
// its frame, into a bitmap and writes it as JPEG or BMP.
#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/TBitmap.h"
#include "toolkit/TComponent.h"

enum TCaptureSource : BYTE { csWholeScreen = 0, csWindow = 1 };
enum class TImageFormat { ifBmp, ifJpeg };

// JPEG when "jpg" occurs anywhere in the path (by characters, case-sensitive) or the path
// ends in ".JPEG"; BMP otherwise. Missing folders of the path are made first. A failed
// write is shown with ShowSystemError and not raised; a failed grab (no such window, a
// bitmap that cannot be made) raises an Exception.
void CaptureToFile(BYTE source, const std::string& path, TComponent* owner, HWND window);

// A failed save: the system's code, or, where no system call failed (code 0), the
// failure's own text.
struct SaveFailure {
    DWORD code = 0;
    std::string text;
};
using SaveFailureTeller = std::function<void(const SaveFailure&)>;
// The box of a failed save: the system's text for the code (ShowSystemError), or the
// failure's text under the same caption.
void ShowSaveFailure(const SaveFailure& failure);

// The grab, the save and the report of a failed save that CaptureToFile runs, for a
// caller that picks the format itself and has made the folder. A failed save is told with
// the code of that failure, whatever ran after it; told in its box unless the caller says
// how.
void GrabToFile(BYTE source, const std::string& path, TComponent* owner, HWND window, TImageFormat format,
                const SaveFailureTeller& tell = ShowSaveFailure);

// Copies the device context's rectangle from (0, 0), of the bitmap's size, into the
// bitmap. The copy's own result is not looked at: a failed copy leaves the bitmap blank.
bool CopyDCToBitmap(HDC dc, TBitmap& bitmap);

// The system's text for an error code in a plain box captioned "Error" (OK and Cancel).
void ShowSystemError(DWORD code);

// Whether CaptureToFile writes the path as JPEG.
bool IsJpegPath(const std::string& path);
