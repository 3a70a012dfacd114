#pragma once

#include "platform/Exception.h"

namespace korvent {

// The silent abort: it unwinds like any error, but whoever shows errors to the user shows
// nothing for it.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

}  // namespace korvent
