#pragma once
// Turns a sequence of pictures into an AVI file with one video stream, through the
// platform's Video for Windows services. Set the properties, Open, AddFrame once per
// picture, Close. Every picture is scaled to Width x Height and stored at BitDepth bits;
// optionally compressed with a compressor the user picks, either frame by frame
// (PreCompress) or in a second pass over the finished file with a progress window.
#include <windows.h>
#include <vfw.h>

#include <optional>
#include <string>

#include "movie/AreaStretcher.h"
#include "movie/AviFileLibrary.h"
#include "movie/AviHandles.h"
#include "movie/CompressorSettings.h"
#include "movie/DibSection.h"
#include "toolkit/TComponent.h"
#include "toolkit/TGraphic.h"

class TOrskAvi : public TComponent {
public:
    explicit TOrskAvi(TComponent* owner);

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value);
    WORD Width() const { return width_; }
    void SetWidth(WORD value);
    WORD Height() const { return height_; }
    void SetHeight(WORD value);
    bool Compress() const { return compress_; }
    void SetCompress(bool value);
    bool PreCompress() const { return preCompress_; }
    void SetPreCompress(bool value);
    // Frames per second of playback, 1..30.
    int FrameRate() const { return frameRate_; }
    void SetFrameRate(int value);
    // 16 or 24; only the low byte of a value counts, anything else gives 16.
    WORD BitDepth() const { return bitDepth_; }
    void SetBitDepth(WORD value);

    // True when frames may be added. False after a cancelled compressor choice (nothing
    // shown) or a failure (a message has been shown); nothing is left open then.
    bool Open();
    // Scales the picture into the next frame. False when the compressor failed on it (a
    // message has been shown, the frame is left out). A frame the platform fails to store
    // (a full disk) raises an EOSError: the writer is closed and the unfinished file
    // deleted, since it lacks frames its caller believes written.
    bool AddFrame(const TGraphic& graphic);
    // Completes the file, then compresses it into a new one when Compress is on and
    // PreCompress off. False when nothing was open, or when the file could not be
    // completed on disk (it is deleted then); a failed compression keeps the complete
    // uncompressed file and says so itself.
    bool Close();

    bool IsOpen() const { return library_.has_value(); }
    // Frames stored since Open.
    DWORD FramePosition() const { return streamInfo_.dwLength; }

private:
    // The frame header with room for a colour table, whatever the system writes behind it.
    struct FrameHeader {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    };

    void ResetCompressor();
    bool ChooseCompressor();
    // Frames go through the chosen compressor as they are added.
    bool PreCompressing() const;
    void PostCompress();
    // Gives back everything Open took, in reverse order.
    void Abandon();
    // Appends one sample at the frame position; a lost write ends the movie (LoseFile).
    void Write(const void* data, LONG size, DWORD flags);
    [[noreturn]] void LoseFile();

    std::string fileName_;
    WORD width_ = 320;
    WORD height_ = 240;
    bool compress_ = true;
    bool preCompress_ = false;
    int frameRate_ = 30;
    WORD bitDepth_ = 16;

    FrameHeader frameHeader_{};
    DWORD frameSize_ = 0;
    CompressorSettings compressor_;
    AVISTREAMINFOA streamInfo_{};
    AVICOMPRESSOPTIONS saveOptions_{};

    // Destroyed in reverse: stream, file, then the library that served them.
    std::optional<AviFileLibrary> library_;
    UniqueAviFile file_;
    UniqueAviStream stream_;
    DibSection workBitmap_;
    AreaStretcher stretcher_;
};
