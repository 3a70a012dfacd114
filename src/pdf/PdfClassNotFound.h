#pragma once

#include "platform/Exception.h"

namespace korvent::pdf {

// No class is registered under the name asked for (fonts, image creators).
class EPdfClassNotFound : public korvent::Exception {
public:
    using korvent::Exception::Exception;
};

}  // namespace korvent::pdf
