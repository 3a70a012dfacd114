#pragma once

#include "platform/Exception.h"

namespace korvent::spi {

// Raised when a second TSPIs is created ("TSPIs は複数生成できません").
class ESPIDupCreateSPIs : public korvent::Exception {
public:
    using korvent::Exception::Exception;
};

}  // namespace korvent::spi
