#include "toolkit/EOSError.h"

EOSError::EOSError(DWORD code) : Exception(SystemText(code)), code_(code) {}

std::string EOSError::SystemText(DWORD code) {
    // The system's default language, as every box of the program that shows a system
    // message has it; at most 255 characters.
    char buffer[256] = {};
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                          LANG_SYSTEM_DEFAULT, buffer, sizeof buffer - 1, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    if (text.empty()) text = "不明なエラーです (コード " + std::to_string(code) + ")";
    return text;
}

void ThrowLastErrorIf(bool failed) {
    if (failed) throw EOSError(::GetLastError());
}

EOSError EOSError::FromResult(HRESULT result) {
    const auto code = static_cast<DWORD>(result);
    return EOSError(
        code, SystemText(HRESULT_FACILITY(result) == FACILITY_WIN32 ? static_cast<DWORD>(HRESULT_CODE(result)) : code));
}

void ThrowIfFailed(HRESULT result) {
    if (FAILED(result)) throw EOSError::FromResult(result);
}
