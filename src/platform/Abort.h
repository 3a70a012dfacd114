#pragma once

#include "platform/Exception.h"

namespace korvent {

// The silent abort: thrown by a handler to stop the operation it was called from. Whoever
// catches it shows no message.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

}  // namespace korvent
