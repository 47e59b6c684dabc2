#pragma once
// The name of a new folder: "新しいフォルダ", else "新しいフォルダ (n)" with the lowest n
// from 1 up to 255 that no entry of the folder has yet. A file of that name takes a name
// as much as a folder does, since no folder could be made under it.
#include <string>

// Empty when all 256 names are taken.
std::string NewFolderName(const std::string& folder);
