#include "folderbrowser/TShDriveNotices.h"

#include <commctrl.h>
#include <dbt.h>

#include <cctype>
#include <cstring>

#include "folderbrowser/EShNotifyError.h"
#include "folderbrowser/TShNotifyThread.h"
#include "toolkit/CallbackErrors.h"
#include "toolkit/TApplication.h"

namespace {
std::vector<std::string> DriveRoots() {
    char buffer[81] = {};
    const DWORD length = ::GetLogicalDriveStringsA(sizeof buffer, buffer);
    std::vector<std::string> roots;
    if (length == 0 || length > sizeof buffer) return roots;
    for (const char* root = buffer; *root; root += std::strlen(root) + 1) {
        const UINT type = ::GetDriveTypeA(root);
        if (type == DRIVE_FIXED || type == DRIVE_CDROM) roots.emplace_back(root);
    }
    return roots;
}
}  // namespace

TShDriveNotices::TShDriveNotices(std::function<void(WPARAM event, LPARAM data)> onNotice)
    : onNotice_(std::move(onNotice)) {}

TShDriveNotices::~TShDriveNotices() {
    if (hooked_ && TApplication::Exists())
        ::RemoveWindowSubclass(hooked_, ApplicationHook, reinterpret_cast<UINT_PTR>(this));
}

void TShDriveNotices::Hook() {
    if (hooked_ || !TApplication::Exists()) return;
    HWND application = TApplication::Instance().Handle();
    if (::SetWindowSubclass(application, ApplicationHook, reinterpret_cast<UINT_PTR>(this),
                            reinterpret_cast<DWORD_PTR>(this)))
        hooked_ = application;
}

LRESULT CALLBACK TShDriveNotices::ApplicationHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                  DWORD_PTR self) {
    if (message == WM_DEVICECHANGE) {
        // The notice is answered whatever happens here (it is broadcast, and its sender
        // waits); an error is shown once this thread handles its messages again.
        try {
            Raise(reinterpret_cast<TShDriveNotices*>(self)->onNotice_, wParam, lParam);
        } catch (...) {
            ReportError(std::current_exception());
        }
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

std::vector<TShDriveNotices::TDriveText> TShDriveNotices::Texts(WPARAM event, LPARAM data) {
    std::vector<TDriveText> texts;
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return texts;
    auto* header = reinterpret_cast<DEV_BROADCAST_HDR*>(data);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME) return texts;
    auto* volume = reinterpret_cast<DEV_BROADCAST_VOLUME*>(header);
    if (!(volume->dbcv_flags & DBTF_MEDIA)) return texts;
    for (int drive = 0; drive < 26; ++drive) {
        if (!(volume->dbcv_unitmask & (1u << drive))) continue;
        const std::string letter = std::string(1, static_cast<char>('A' + drive)) + ":";
        std::string text = " (" + letter + ")";
        if (event == DBT_DEVICEARRIVAL) {
            char label[MAX_PATH] = {};
            const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS);
            ::GetVolumeInformationA((letter + "\\").c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr,
                                    0);
            ::SetErrorMode(previous);
            text = Label(label) + text;
        }
        texts.emplace_back(letter, text);
    }
    return texts;
}

std::string TShDriveNotices::Label(std::string label) {
    ::CharLowerBuffA(label.data(), static_cast<DWORD>(label.size()));
    if (!label.empty() && !::IsDBCSLeadByte(static_cast<BYTE>(label[0])))
        label[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(label[0])));
    return label;
}

void TShDriveNotices::WatchRoots(TShNotifyThread& watcher, const std::vector<std::string>& /*watchedBefore*/) {
    const std::vector<std::string> roots = DriveRoots();
    try {
        watcher.SetFolders(&roots);
    } catch (const EShNotifyError&) {
        // More drives than one thread can watch (letters give at most 26): the tree works
        // on without watching.
    }
}
