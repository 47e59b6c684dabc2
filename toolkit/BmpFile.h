#pragma once
// Windows bitmap files (.bmp): writing device-independent pixels as they are, and reading
// a file back with every header field checked against the file's size first, so a
// truncated or lying file raises an Exception instead of reading past its end.
#include <string>

#include "toolkit/DibPixels.h"

// Replaces the file at `path` through AtomicFile: a failure raises an EOSError and leaves
// no partial file under the name.
void WriteBmpFile(const DibPixels& pixels, const std::string& path);

// Uncompressed files (BI_RGB, or BI_BITFIELDS at 16 and 32 bits) with an information
// header of 40 bytes or one of its longer successors. Rows keep the file's order.
DibPixels ReadBmpFile(const std::string& path);
