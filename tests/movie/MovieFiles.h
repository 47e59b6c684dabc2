#pragma once
// What the movie tests share: pictures whose scaled frames are known, an independent
// reader's view of a movie (ffprobe, ffmpeg), and the compressor dialogs answered.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/movie/TestPicture.h"
#include "tests/support/AviReader.h"

// A 1024 x 768 screen of 32 x 32 blocks, each of one colour; every block becomes exactly
// 10 x 10 frame pixels at 320 x 240. The colours are 5-bit levels as readers widen them
// ((q << 3) | (q >> 2)), so a 5-5-5 frame holds them exactly.
Rgb BlockColour(int blockX, int blockY, int seed);
TestPicture BlockScreen(int seed);

// An answer for a compressor dialog (DialogAnswerer): the entry that starts with `entry`
// and OK, or Cancel when `entry` is empty.
std::function<void(HWND dialog)> Choose(const std::string& entry);
extern const char kFullFrames[];        // the dialog's entry for uncompressed frames
extern const char kChooserTitle[];      // the writer's own title for the dialog
extern const char kSaveOptionsTitle[];  // the platform's title for the save-options dialog
