#include "app/TCaptureHotKey.h"

void TCaptureHotKey::DoHotKey(int index) {
    foregroundAtPress_ = ::GetForegroundWindow();
    THookHotKey::DoHotKey(index);
}
