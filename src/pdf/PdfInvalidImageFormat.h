#pragma once

#include "platform/Exception.h"

namespace korvent::pdf {

// A picture an image creator cannot turn into an image object.
class EPdfInvalidImageFormat : public korvent::Exception {
public:
    using korvent::Exception::Exception;
};

}  // namespace korvent::pdf
