#pragma once

#include "platform/Exception.h"

namespace korvent::spi {

// Raised when an entry point that a plug-in lacks is required or called
// ("<entry>は[<module>]では使えないSusie Plugin APIです").
class ESPIInvalidAPI : public korvent::Exception {
public:
    using korvent::Exception::Exception;
};

}  // namespace korvent::spi
