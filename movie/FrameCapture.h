#pragma once
// One frame of a recording: the whole primary screen at its full size, written as a bitmap
// file in the display's format. Always a bitmap, whatever the path says: the still
// grabber's rule that writes JPEG for any path holding "jpg" would otherwise turn every
// frame of a program kept in such a folder into a file the movie cannot read.
#include <string>

#include "capture/CaptureToFile.h"
#include "toolkit/TComponent.h"

// Makes the frame's folder if it is missing. A failed write is told (in its box unless the
// caller says how) and not raised; a failed grab raises an Exception.
void CaptureFrameToFile(const std::string& path, TComponent* owner, const SaveFailureTeller& tell = ShowSaveFailure);
