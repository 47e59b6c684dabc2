#pragma once
// More folders than one thread can wait on at once.
#include "toolkit/Exception.h"

class EShNotifyError : public Exception {
public:
    EShNotifyError() : Exception("監視するフォルダ数が上限を超えています。") {}
};
