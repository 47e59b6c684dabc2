#include "toolkit/EOSError.h"

EOSError::EOSError(DWORD code) : Exception(SystemText(code)), code_(code) {}

std::string EOSError::SystemText(DWORD code) {
    char buffer[512] = {};
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                    buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    if (text.empty()) text = "System error " + std::to_string(code);
    return text;
}

void ThrowLastErrorIf(bool failed) {
    if (failed) throw EOSError(::GetLastError());
}
