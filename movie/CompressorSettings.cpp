#include "movie/CompressorSettings.h"

void CompressorSettings::Reset() {
    Free();
    vars_ = COMPVARS{};
    vars_.cbSize = sizeof vars_;
    vars_.dwFlags = ICMF_COMPVARS_VALID;
    vars_.fccHandler = kFullFrames;
    vars_.lKey = 0;
    vars_.lDataRate = 0;
    vars_.lQ = ICQUALITY_DEFAULT;
}

bool CompressorSettings::IsFullFrames(DWORD code) {
    if (code == 0) return true;
    // Compared without regard to case: "dib " names the same thing. The bit sets every
    // letter of the four to lower case and leaves the space as it is.
    constexpr DWORD kLowerCase = 0x20202020u;
    return (code | kLowerCase) == (kFullFrames | kLowerCase);
}

bool CompressorSettings::StartSequence(BITMAPINFO* format) {
    sequenceStarted_ = ::ICSeqCompressFrameStart(&vars_, format) != FALSE;
    return sequenceStarted_;
}

void CompressorSettings::Free() {
    if (!(vars_.dwFlags & ICMF_COMPVARS_VALID)) return;
    if (sequenceStarted_) ::ICSeqCompressFrameEnd(&vars_);
    sequenceStarted_ = false;
    ::ICCompressorFree(&vars_);
    // What the record pointed to is gone; only the choice itself stays readable.
    vars_.dwFlags = 0;
    vars_.hic = nullptr;
    vars_.lpbiIn = vars_.lpbiOut = nullptr;
    vars_.lpBitsOut = vars_.lpBitsPrev = vars_.lpState = nullptr;
    vars_.cbState = 0;
}
