#pragma once

#include "platform/Exception.h"

namespace korvent::cli {

// A command line that cannot be run: an unknown option, a bad value, no files.
class UsageError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace korvent::cli
