#include "toolkit/MessageBoxes.h"

#include <utility>

#include "toolkit/CallbackErrors.h"
#include "toolkit/CharWalk.h"
#include "toolkit/TFormHost.h"
#include "toolkit/UniqueHandle.h"

namespace {
MessageBoxes::Handler handler;

// The standard dialogs carry the toolkit's own button captions instead of the system's.
LRESULT CALLBACK RenameButtons(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        Guarded(0, [wParam] {
            HWND box = reinterpret_cast<HWND>(wParam);
            ::SetDlgItemTextA(box, IDOK, "OK");
            ::SetDlgItemTextA(box, IDCANCEL, "キャンセル");
            ::SetDlgItemTextA(box, IDYES, "はい(&Y)");
            ::SetDlgItemTextA(box, IDNO, "いいえ(&N)");
            return 0;
        });
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND BoxOwner() {
    HWND active = ::GetActiveWindow();
    if (active) return active;
    return TFormHost::Current() ? TFormHost::Current()->Handle() : nullptr;
}
}  // namespace

MessageBoxes::Handler MessageBoxes::SetHandler(Handler newHandler) {
    return std::exchange(handler, std::move(newHandler));
}

int MessageBoxes::Show(const MessageBoxRequest& request, UINT icon) {
    if (handler) return handler(request);
    UniqueHhook hook;
    if (request.type != TMsgDlgType::mtPlain) {
        hook.reset(::SetWindowsHookExA(WH_CBT, RenameButtons, nullptr, ::GetCurrentThreadId()));
    }
    return ::MessageBoxA(BoxOwner(), request.text.c_str(), request.caption.c_str(),
                         request.buttons | icon | MB_TASKMODAL | MB_SETFOREGROUND);
}

void MessageBoxes::Warning(const std::string& text) {
    Show({TMsgDlgType::mtWarning, "警告", text, MB_OK}, MB_ICONWARNING);
}

void MessageBoxes::Error(const std::string& text) { Show({TMsgDlgType::mtError, "エラー", text, MB_OK}, MB_ICONERROR); }

void MessageBoxes::Information(const std::string& text) {
    Show({TMsgDlgType::mtInformation, "情報", text, MB_OK}, MB_ICONINFORMATION);
}

bool MessageBoxes::Confirmation(const std::string& text) {
    return Show({TMsgDlgType::mtConfirmation, "確認", text, MB_YESNO}, MB_ICONQUESTION) == IDYES;
}

int MessageBoxes::Plain(const std::string& text, const std::string& caption, UINT flags) {
    const UINT buttons = flags & MB_TYPEMASK;
    return Show({TMsgDlgType::mtPlain, caption, text, buttons}, flags & ~MB_TYPEMASK);
}

std::string MessageBoxes::WithFinalPeriod(const std::string& message) {
    if (message.empty()) return message;
    CharWalk walk(message);
    std::size_t last = 0;
    for (; !walk.AtEnd(); walk.Next()) last = walk.Position();
    // Only the first byte of the last character is compared, so a double-byte character
    // always gets its period.
    return static_cast<unsigned char>(message[last]) > '.' ? message + "." : message;
}

void MessageBoxes::ApplicationError(const std::string& message) {
    const std::string title = TFormHost::Current() ? TFormHost::Current()->Title() : std::string();
    Show({TMsgDlgType::mtError, title, WithFinalPeriod(message), MB_OK}, MB_ICONERROR);
}

void MessageBoxes::ApplicationError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& known) {
        ApplicationError(std::string(known.what()));
    } catch (...) {
        ApplicationError(std::string("Unknown error"));
    }
}
