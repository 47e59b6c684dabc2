#include "toolkit/AtomicFile.h"

#include "toolkit/EOSError.h"
#include "toolkit/FilePath.h"

namespace {
// The folder in a form GetTempFileName takes: "." for the current one, and "C:." for the
// current folder of a drive ("C:" alone would mean its root).
std::string TemporaryFolder(const std::string& path) {
    std::string folder = ExtractFilePath(path);
    if (folder.empty() || folder.back() == ':') folder += '.';
    return folder;
}
}  // namespace

AtomicFile::AtomicFile(const std::string& path) : path_(path) {
    // A target that exists but cannot be written (read-only, a folder, locked by another
    // program) fails here, as writing it directly would: the final move could replace it.
    UniqueFileHandle target(::CreateFileA(path.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target && ::GetLastError() != ERROR_FILE_NOT_FOUND) Fail();
    target.reset();
    char name[MAX_PATH];
    if (::GetTempFileNameA(TemporaryFolder(path).c_str(), "pct", 0, name) == 0) Fail();
    temporary_ = name;
    file_.reset(::CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) Fail();
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
