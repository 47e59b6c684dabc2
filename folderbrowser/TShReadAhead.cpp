#include "folderbrowser/TShReadAhead.h"

#include <algorithm>

#include "folderbrowser/NameOrder.h"
#include "folderbrowser/ShellEnumeration.h"
#include "folderbrowser/ShellWorker.h"
#include "folderbrowser/TKeshShFileList.h"
#include "toolkit/FilePath.h"

namespace {
TShReadAhead* current = nullptr;
}  // namespace

TShReadAhead::TShReadAhead(const std::string& path, SHCONTF flags)
    : path_(path),
      flags_(flags),
      changes_(::FindFirstChangeNotificationA(path.c_str(), FALSE,
                                              FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                                  FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
                                                  FILE_NOTIFY_CHANGE_LAST_WRITE)),
      parsed_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    current = this;
    // Only a folder that can be watched is read: a change could not be told otherwise.
    if (!changes_ || !parsed_) return;
    worker_ = StartShellWorker([this] {
        // Whoever waits for the parsing must not wait for ever: an error leaves no folder.
        try {
            folderID_ = TKeshShID::FromPathHere(path_);
        } catch (...) {
        }
        ::SetEvent(parsed_.get());
        const LPCITEMIDLIST folderID = folderID_.get();
        ComPtr<IShellFolder> folder = folderID ? TKeshShID::BindToFolderHere(folderID) : ComPtr<IShellFolder>();
        if (!folder) return;
        std::vector<TShIDList> children;
        if (!EnumerateChildren(folder.get(), nullptr, flags_,
                               [&](TShIDList child) { children.push_back(std::move(child)); }))
            return;
        const auto precedes = [&](LPCITEMIDLIST a, LPCITEMIDLIST b) {
            return TKeshShFileList::Precedes(folder.get(), 0, 1, a, b);
        };
        if (!SortByNameKeys(
                folder.get(), children, [](const TShIDList& child) { return child.get(); }, precedes)) {
            std::stable_sort(children.begin(), children.end(),
                             [&](const TShIDList& a, const TShIDList& b) { return precedes(a.get(), b.get()); });
        }
        children_ = std::move(children);
        read_ = true;
    });
}

TShReadAhead::~TShReadAhead() {
    WaitForReading();
    if (current == this) current = nullptr;
}

void TShReadAhead::WaitForReading() {
    if (worker_.joinable()) worker_.join();
}

bool TShReadAhead::Take(const std::string& path, SHCONTF flags, std::vector<TShIDList>& children) {
    return current && current->TakeOwn(path, flags, children);
}

TShIDList TShReadAhead::Parsed(const std::string& path) {
    if (!current || !current->Reads(path) || !current->worker_.joinable()) return TShIDList();
    ::WaitForSingleObject(current->parsed_.get(), INFINITE);
    return TKeshShID::Copy(current->folderID_.get());
}

bool TShReadAhead::Reads(const std::string& path) const { return SameFolder(path, path_); }

bool TShReadAhead::TakeOwn(const std::string& path, SHCONTF flags, std::vector<TShIDList>& children) {
    if (taken_ || flags != flags_ || !Reads(path)) return false;
    taken_ = true;
    WaitForReading();
    if (!read_ || ::WaitForSingleObject(changes_.get(), 0) != WAIT_TIMEOUT) return false;
    children = std::move(children_);
    return true;
}
