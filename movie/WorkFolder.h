#pragma once
// Where a recording keeps its frames until the movie is written: the folder "moviework"
// beside the executable, frame n in it as "n.bmp" (1.bmp, 2.bmp, ...).
#include <windows.h>

#include <string>

std::string WorkFolderPath();
std::string FrameFilePath(int number);

// Deletes a folder with everything in it through the shell, in one file operation: no
// progress window, no questions, not into the recycle bin. Returns the shell's result
// (0 = done).
int DeleteFolderTree(HWND owner, const std::string& path);
