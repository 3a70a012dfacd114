#pragma once

#include "platform/Exception.h"

namespace korvent::pdf {

// A value the PDF writer cannot use: a missing object, a bad name, a setting out of range.
class EPdfInvalidValue : public korvent::Exception {
public:
    using korvent::Exception::Exception;
};

}  // namespace korvent::pdf
