#include "folderbrowser/TShSelectionHistory.h"

void TShSelectionHistory::Record(LPCITEMIDLIST folder) {
    back_.push_back(TKeshShID::Copy(folder));
    while (static_cast<int>(back_.size()) > kBackLimit) back_.pop_front();
    forward_.clear();
}
