#pragma once
// What the tests see of an AVI file: its own structures read directly (the stream header
// and format of the first stream, every frame chunk of the movie list with its index
// flags), and what independent readers (ffprobe, ffmpeg) make of it.
#include <windows.h>
#include <vfw.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct AviFrame {
    std::string data;
    DWORD flags = 0;  // from the index
};

// The stream header as the AVI format lays it out on disk (the frame rectangle in 16-bit
// values, unlike the platform header's RECT).
#pragma pack(push, 1)
struct StreamHeader {
    DWORD fccType, fccHandler, dwFlags;
    WORD wPriority, wLanguage;
    DWORD dwInitialFrames, dwScale, dwRate, dwStart, dwLength, dwSuggestedBufferSize, dwQuality, dwSampleSize;
    std::int16_t left, top, right, bottom;
};
#pragma pack(pop)

struct AviContents {
    bool valid = false;
    std::string error;
    StreamHeader header{};
    DWORD headerSize = 0;
    std::string name;    // "strn" chunk, if any
    std::string format;  // "strf" bytes
    std::vector<AviFrame> frames;

    const BITMAPINFOHEADER& Bitmap() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(format.data()); }
};

AviContents ReadAvi(const std::string& path);

// ffprobe's key=value lines for the first video stream (frames counted by decoding).
std::map<std::string, std::string> ProbeStream(const std::string& path);
// Every frame decoded by ffmpeg into top-down 24-bit RGB.
std::string DecodeRgb(const std::string& path);
