#pragma once
// One use of the AVIFile library: AVIFileInit on construction, the matching AVIFileExit on
// destruction, so no path can leave the library loaded or release it twice.
class AviFileLibrary {
public:
    AviFileLibrary();
    ~AviFileLibrary();
    AviFileLibrary(const AviFileLibrary&) = delete;
    AviFileLibrary& operator=(const AviFileLibrary&) = delete;

    // Uses not yet matched by AVIFileExit, program-wide.
    static int OpenUses() { return openUses_; }

private:
    static inline int openUses_ = 0;
};
