#pragma once
// Writes a file so that its name never holds a partial result: the data goes to a
// temporary file in the target's folder, which replaces the target only once everything
// is written. A failure (a full disk, a folder that cannot be written) removes the
// temporary file and raises an EOSError; GetLastError holds that failure's code as the
// exception leaves (callers that free memory on the way out: see LastErrorOnFailure).
#include <windows.h>

#include <cstddef>
#include <string>

#include "toolkit/UniqueHandle.h"

class AtomicFile {
public:
    explicit AtomicFile(const std::string& path);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    // Without Commit the temporary file is removed and the target left as it was.
    ~AtomicFile();

    void Write(const void* data, std::size_t size);
    // Moves the written file over the target, replacing an existing file of that name.
    void Commit();

private:
    [[noreturn]] void Fail();
    void Discard();

    std::string path_;
    std::string temporary_;
    UniqueFileHandle file_;
};
