#pragma once
// The saved folder's children read on a thread of their own while the program is still
// making its windows, and put in ascending order of the first column. The list that opens
// the folder takes them instead of reading it again: once, and only if nothing in the folder
// changed since the reading began. Whoever made the reading hands it to the list (and to the
// tree, which selects the folder as the reading parsed it).
//
// A speed-up only: when the reading fails (its thread cannot be started, the shell fails
// it), nothing is given and the list reads the folder itself.
#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "folderbrowser/ShellWorker.h"
#include "folderbrowser/TKeshShID.h"
#include "toolkit/UniqueHandle.h"

class TShReadAhead {
public:
    // Starts reading the file-system folder at `path` for `flags` (on the user-interface
    // thread); a path that names no folder is not read.
    TShReadAhead(const std::string& path, SHCONTF flags);
    ~TShReadAhead();
    TShReadAhead(const TShReadAhead&) = delete;
    TShReadAhead& operator=(const TShReadAhead&) = delete;

    // The children of the folder at `path` read for `flags`, in order. False (and nothing
    // given) when they were read for another folder or other flags, were taken already, or
    // the folder changed meanwhile.
    bool Take(const std::string& path, SHCONTF flags, std::vector<TShIDList>& children);
    // The folder at `path` as the reading parsed it, once it has (the shell takes a while
    // over each parsing); null when the reading is of another path or parsed nothing.
    TShIDList Parsed(const std::string& path);
    // Until the reading is over, as taking waits.
    void WaitForReading();

private:
    void Read();
    bool Reads(const std::string& path) const;

    const std::string path_;
    const SHCONTF flags_;
    // Armed before the reading starts: anything the reading may have missed sets it.
    UniqueChangeHandle changes_;
    // Set once the path is parsed, whatever came of it; the folder is written before.
    UniqueKernelHandle parsed_;
    TShIDList folderID_;
    std::vector<TShIDList> children_;
    bool read_ = false;
    bool taken_ = false;
    std::unique_ptr<ShellWorker> worker_;
};
