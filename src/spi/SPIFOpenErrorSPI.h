#pragma once

#include "platform/Exception.h"

namespace korvent::spi {

// Raised when a plug-in file cannot be loaded as a library ("<path>:Susie
// Pluginがロードできませんでした").
class ESPIFOpenErrorSPI : public korvent::Exception {
public:
    using korvent::Exception::Exception;
};

}  // namespace korvent::spi
