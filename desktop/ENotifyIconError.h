#pragma once
// The shell refused the tray icon, or the program has too many of them.
#include "toolkit/Exception.h"

class ENotifyIconError : public Exception {
public:
    using Exception::Exception;
};
