#pragma once
// The column state remembered per folder key: the sort column and, per column, its place
// in the column order, its sort direction and its width.
#include <string>
#include <unordered_map>
#include <vector>

struct TKeshShColumnInfo {
    int position = 0;
    int direction = 1;
    int width = 0;
};

struct TKeshShColumnState {
    int sortColumn = 0;
    std::vector<TKeshShColumnInfo> columns;
};

class TKeshShColumnList {
public:
    void Remember(const std::string& key, TKeshShColumnState state) { states_[key] = std::move(state); }
    // Null when nothing is remembered for the key.
    const TKeshShColumnState* Find(const std::string& key) const {
        auto found = states_.find(key);
        return found == states_.end() ? nullptr : &found->second;
    }

private:
    std::unordered_map<std::string, TKeshShColumnState> states_;
};
