#pragma once
// What the movie tests share: pictures whose scaled frames are known, an independent
// reader's view of a movie (ffprobe, ffmpeg), and the compressor dialogs answered.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/movie/TestPicture.h"

// A 1024 x 768 screen of 32 x 32 blocks, each of one colour; every block becomes exactly
// 10 x 10 frame pixels at 320 x 240. Colours are multiples of 8, so 5 bits hold them exactly.
Rgb BlockColour(int blockX, int blockY, int seed);
TestPicture BlockScreen(int seed);

// ffprobe's key=value lines for the first stream (frames counted by decoding).
std::map<std::string, std::string> ProbeStream(const std::string& path);
// Every frame decoded by ffmpeg into top-down 24-bit RGB.
std::string DecodeRgb(const std::string& path);
// A 5-bit channel as a decoder widens it to 8 bits.
int Widen5(int value8);

// An answer for a compressor dialog (DialogAnswerer): the entry that starts with `entry`
// and OK, or Cancel when `entry` is empty.
std::function<void(HWND dialog)> Choose(const std::string& entry);
extern const char kFullFrames[];  // the dialog's entry for uncompressed frames
extern const char kChooserTitle[];   // the writer's own title for the dialog
extern const char kSaveOptionsTitle[];  // the platform's title for the save-options dialog
