#include "toolkit/AtomicFile.h"

#include <cstdio>

#include "toolkit/EOSError.h"
#include "toolkit/FilePath.h"

namespace {
// A name of its own for every temporary file of the process: the process number tells
// programs apart, the count the files of one program.
std::string TemporaryName(const std::string& folder) {
    static LONG count = 0;
    char name[32];
    std::snprintf(name, sizeof name, "~pct%lx-%lx.tmp", ::GetCurrentProcessId(),
                  static_cast<unsigned long>(::InterlockedIncrement(&count)));
    return folder + name;
}

// Names left behind by a process of the same number that died long ago are passed over.
constexpr int kNameAttempts = 100;
}  // namespace

AtomicFile::AtomicFile(const std::string& path) : path_(path) {
    // A target that exists but cannot be written (read-only, a folder, locked by another
    // program) fails here, as writing it directly would: the final move could replace it.
    UniqueFileHandle target(::CreateFileA(path.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target && ::GetLastError() != ERROR_FILE_NOT_FOUND) Fail();
    target.reset();
    // Made here rather than by GetTempFileName, which (under Wine) hands out a name it could
    // not create: the failure then shown would be the missing file, not the folder's.
    const std::string folder = ExtractFilePath(path);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = TemporaryName(folder);
        file_.reset(::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file_) {
            temporary_ = name;
            return;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) break;
    }
    Fail();
}

AtomicFile::~AtomicFile() {
    DWORD code = ::GetLastError();
    Discard();
    ::SetLastError(code);
}

void AtomicFile::Write(const void* data, std::size_t size) {
    const BYTE* bytes = static_cast<const BYTE*>(data);
    while (size > 0) {
        DWORD chunk = static_cast<DWORD>(size > 0x1000000 ? 0x1000000 : size);
        DWORD written = 0;
        if (!::WriteFile(file_.get(), bytes, chunk, &written, nullptr)) Fail();
        if (written == 0) {
            ::SetLastError(ERROR_DISK_FULL);
            Fail();
        }
        bytes += written;
        size -= written;
    }
}

void AtomicFile::Commit() {
    // Closing can still report a failed write-back, so it is checked before the move.
    HANDLE file = file_.release();
    if (!::CloseHandle(file)) Fail();
    if (!::MoveFileExA(temporary_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) Fail();
    temporary_.clear();
}

void AtomicFile::Fail() {
    DWORD code = ::GetLastError();
    if (code == ERROR_SUCCESS) code = ERROR_WRITE_FAULT;
    Discard();
    EOSError error(code);
    ::SetLastError(code);
    throw error;
}

void AtomicFile::Discard() {
    file_.reset();
    if (!temporary_.empty()) ::DeleteFileA(temporary_.c_str());
    temporary_.clear();
}
