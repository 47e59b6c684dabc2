#include "movie/AviFileLibrary.h"

#include <windows.h>
#include <vfw.h>

AviFileLibrary::AviFileLibrary() {
    ::AVIFileInit();
    ++openUses_;
}

AviFileLibrary::~AviFileLibrary() {
    ::AVIFileExit();
    --openUses_;
}
