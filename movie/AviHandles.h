#pragma once
// Owners of the AVIFile library's interface pointers: releasing the last reference to a
// file is what completes its structure on disk.
#include <windows.h>
#include <vfw.h>

#include "toolkit/UniqueHandle.h"

namespace avi_detail {
inline void ReleaseFile(PAVIFILE file) { ::AVIFileRelease(file); }
inline void ReleaseStream(PAVISTREAM stream) { ::AVIStreamRelease(stream); }
}  // namespace avi_detail

using UniqueAviFile = UniqueHandle<PAVIFILE, avi_detail::ReleaseFile>;
using UniqueAviStream = UniqueHandle<PAVISTREAM, avi_detail::ReleaseStream>;
