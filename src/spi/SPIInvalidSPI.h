#pragma once

#include "platform/Exception.h"

namespace korvent::spi {

// Raised when a file that is no valid plug-in; treated like ESPIFOpenErrorSPI by the search.
class ESPIInvalidSPI : public korvent::Exception {
public:
    using korvent::Exception::Exception;
};

}  // namespace korvent::spi
