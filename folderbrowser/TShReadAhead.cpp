#include "folderbrowser/TShReadAhead.h"

#include "folderbrowser/NameOrder.h"
#include "folderbrowser/ShellEnumeration.h"
#include "toolkit/FilePath.h"

TShReadAhead::TShReadAhead(const std::string& path, SHCONTF flags)
    : path_(path),
      flags_(flags),
      changes_(::FindFirstChangeNotificationA(path.c_str(), FALSE,
                                              FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                                  FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
                                                  FILE_NOTIFY_CHANGE_LAST_WRITE)),
      parsed_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    // Only a folder that can be watched is read: a change could not be told otherwise.
    if (!changes_ || !parsed_) return;
    // A failed reading is no loss: the list reads the folder itself then.
    worker_ = ShellWorker::Launch([this] { Read(); }, ShellWorker::Errors::fallBack);
}

TShReadAhead::~TShReadAhead() = default;

void TShReadAhead::Read() {
    struct Parsed {
        HANDLE event;
        ~Parsed() { ::SetEvent(event); }
    };
    ComPtr<IShellFolder> folder;
    {
        // Whoever waits for the parsing is let go however it ends.
        const Parsed parsed{parsed_.get()};
        folderID_ = TKeshShID::FromPathHere(path_);
        if (folderID_) folder = TKeshShID::BindToFolderHere(folderID_.get());
    }
    if (!folder) return;
    std::vector<TShIDList> children;
    if (!EnumerateChildren(folder.get(), nullptr, flags_,
                           [&](TShIDList child) { children.push_back(std::move(child)); }))
        return;
    SortInShellOrder(
        folder.get(), children, [](const TShIDList& child) { return child.get(); }, 0, 1);
    children_ = std::move(children);
    read_ = true;
}

bool TShReadAhead::Reads(const std::string& path) const { return worker_ && SameFolder(path, path_); }

TShIDList TShReadAhead::Parsed(const std::string& path) {
    if (!Reads(path)) return TShIDList();
    const HANDLE events[] = {parsed_.get(), worker_->EndedEvent()};
    ::WaitForMultipleObjects(2, events, FALSE, INFINITE);
    // Written before the event was set, and never again.
    return ::WaitForSingleObject(parsed_.get(), 0) == WAIT_OBJECT_0 ? TKeshShID::Copy(folderID_.get()) : TShIDList();
}

void TShReadAhead::WaitForReading() {
    if (worker_) worker_->Finish();
}

bool TShReadAhead::Take(const std::string& path, SHCONTF flags, std::vector<TShIDList>& children) {
    if (taken_ || flags != flags_ || !Reads(path)) return false;
    taken_ = true;
    if (!worker_->Finish() || !read_ || ::WaitForSingleObject(changes_.get(), 0) != WAIT_TIMEOUT) return false;
    children = std::move(children_);
    return true;
}
