#pragma once
// The video compression manager's settings record (COMPVARS): the chosen compressor, its
// open instance and the running frame sequence. Whatever the record holds is given back
// once, by Free or on destruction.
#include <windows.h>
#include <vfw.h>

class CompressorSettings {
public:
    CompressorSettings() = default;
    ~CompressorSettings() { Free(); }
    CompressorSettings(const CompressorSettings&) = delete;
    CompressorSettings& operator=(const CompressorSettings&) = delete;

    COMPVARS* get() { return &vars_; }
    const COMPVARS& vars() const { return vars_; }

    // Back to "no compressor": full frames, the compressor's default quality.
    void Reset();
    // True when the record names a real compressor rather than full frames.
    bool HasCompressor() const { return !IsFullFrames(vars_.fccHandler); }
    // "DIB " is the compression manager's code for uncompressed frames; some dialogs
    // leave no code at all for them.
    static constexpr DWORD kFullFrames = mmioFOURCC('D', 'I', 'B', ' ');
    static bool IsFullFrames(DWORD code);

    bool StartSequence(BITMAPINFO* format);
    bool SequenceStarted() const { return sequenceStarted_; }
    // Ends the sequence if one runs and releases the compressor.
    void Free();

private:
    COMPVARS vars_{};
    bool sequenceStarted_ = false;
};
