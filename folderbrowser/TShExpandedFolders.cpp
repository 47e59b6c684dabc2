#include "folderbrowser/TShExpandedFolders.h"

#include <algorithm>

#include "toolkit/FilePath.h"

void TShExpandedFolders::Remember(LPCITEMIDLIST folder, bool expanded) {
    auto found = std::find_if(folders_.begin(), folders_.end(),
                              [&](const TShIDList& known) { return TKeshShID::Equal(known.get(), folder); });
    if (expanded && found == folders_.end()) folders_.push_back(TKeshShID::Copy(folder));
    if (!expanded && found != folders_.end()) folders_.erase(found);
}

void TShExpandedFolders::ForgetBelow(LPCITEMIDLIST ancestor) {
    folders_.erase(std::remove_if(folders_.begin(), folders_.end(),
                                  [&](const TShIDList& id) { return TKeshShID::Below(ancestor, id.get()) != nullptr; }),
                   folders_.end());
}

void TShExpandedFolders::ForgetVanished() {
    folders_.erase(std::remove_if(folders_.begin(), folders_.end(),
                                  [](const TShIDList& id) {
                                      const std::string path = TKeshShID::ToPath(id.get());
                                      return !path.empty() && !DirectoryExists(path);
                                  }),
                   folders_.end());
}

std::vector<TShIDList> TShExpandedFolders::Copy() const {
    std::vector<TShIDList> copy;
    for (const TShIDList& id : folders_) copy.push_back(TKeshShID::Copy(id.get()));
    return copy;
}
