#pragma once

#include "platform/Exception.h"

namespace korvent::settings {

// A settings write the file system refused ("<path> に書き込めません").
class ERegManagerError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace korvent::settings
