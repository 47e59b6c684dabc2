#pragma once
// The drives as the folder tree follows them: the roots of the fixed and CD-ROM drives,
// which its watcher watches whole, and the volume notices of removable media. The system
// broadcasts those to top-level windows only, so they are heard on the application window,
// hooked while this lives.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class TShNotifyThread;

class TShDriveNotices {
public:
    // (drive letter with its colon, the text its node shows from now on)
    using TDriveText = std::pair<std::string, std::string>;

    // `onNotice` hears every WM_DEVICECHANGE of the application window; what it throws is
    // shown in the application's error box.
    explicit TShDriveNotices(std::function<void(WPARAM event, LPARAM data)> onNotice);
    ~TShDriveNotices();
    TShDriveNotices(const TShDriveNotices&) = delete;
    TShDriveNotices& operator=(const TShDriveNotices&) = delete;

    // Hooks the application window, once there is one.
    void Hook();

    // The texts a volume notice gives the drives it names: the volume label and the drive
    // ("Data (E:)") on arrival, the drive alone (" (E:)") on removal; none for other notices.
    static std::vector<TDriveText> Texts(WPARAM event, LPARAM data);
    // A volume label as the tree shows it: in lower case, its first character in upper case
    // when that is a single-byte letter.
    static std::string Label(std::string label);
    // Hands the watcher the fixed and CD-ROM drive roots (whatever it watched before).
    static void WatchRoots(TShNotifyThread& watcher, const std::vector<std::string>& watchedBefore);

private:
    static LRESULT CALLBACK ApplicationHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR self);

    std::function<void(WPARAM event, LPARAM data)> onNotice_;
    HWND hooked_ = nullptr;
};
