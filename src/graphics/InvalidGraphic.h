#pragma once

#include "platform/Exception.h"

namespace korvent::graphics {

// A picture that cannot be read, written or converted: corrupt or truncated data, an
// unsupported variant, an impossible size, or an unreadable file.
class EInvalidGraphic : public korvent::Exception {
public:
    using korvent::Exception::Exception;
};

}  // namespace korvent::graphics
