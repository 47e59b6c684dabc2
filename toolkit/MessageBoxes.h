#pragma once
// Every modal box of the program goes through here: the four standard dialogs, the plain
// application message box and the application's error box. A test can take the place of
// the screen (SetHandler) to read each box's text and answer it.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtPlain };

struct MessageBoxRequest {
    TMsgDlgType type;
    std::string caption;
    std::string text;
    UINT buttons;  // MB_OK, MB_OKCANCEL, MB_YESNO
};

class MessageBoxes {
public:
    // Standard dialogs, captioned "警告", "エラー", "情報", "確認".
    static void Warning(const std::string& text);
    static void Error(const std::string& text);
    static void Information(const std::string& text);
    // Yes and No buttons; true when the answer is Yes.
    static bool Confirmation(const std::string& text);
    // A plain system message box: the caller's caption and flags (MB_OK, MB_OKCANCEL, ...).
    static int Plain(const std::string& text, const std::string& caption, UINT flags);
    // The box for an error that escaped a handler: the text with a final "." unless it ends
    // in "." or below, the application title as caption, error icon, OK.
    static void ApplicationError(const std::string& message);
    // The same box for an error of any type: its message, or "Unknown error" for a type
    // that carries none.
    static void ApplicationError(std::exception_ptr error);
    static std::string WithFinalPeriod(const std::string& message);

    using Handler = std::function<int(const MessageBoxRequest& request)>;
    // Replaces the screen for every box until reset with an empty handler. Returns the
    // handler it replaced.
    static Handler SetHandler(Handler handler);

private:
    static int Show(const MessageBoxRequest& request, UINT icon);
};
