#pragma once

#include "platform/Exception.h"

namespace korvent::pdf {

// An operation called in a state that does not allow it (no document, no page, ...).
class EPdfInvalidOperation : public korvent::Exception {
public:
    using korvent::Exception::Exception;
};

}  // namespace korvent::pdf
