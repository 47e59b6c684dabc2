#pragma once
// The names present in one folder, taken with a single directory listing and compared as
// the file system compares them (without regard to case; short names count too). Asking a
// listing about a thousand names costs one listing instead of a thousand lookups.
#include <string>
#include <unordered_set>

class TFolderEntries {
public:
    // Lists the folder ("" = the current directory); `folder` ends in "\" or ":" when not empty.
    explicit TFolderEntries(const std::string& folder);

    // Whether an entry of any kind (file or folder, any attributes) has this name.
    bool Exists(const std::string& name) const;

private:
    static std::wstring Key(const std::string& name);
    static std::wstring Key(const wchar_t* name);

    std::string folder_;
    // False when the folder could not be listed for a reason other than being absent: each
    // name is then looked up on its own.
    bool listed_ = false;
    std::unordered_set<std::wstring> names_;
};
