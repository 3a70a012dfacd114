#pragma once

#include "spi/SPI.h"

namespace korvent::spi {

// A plug-in of version "00XN"; it needs nothing beyond GetPluginInfo.
class TXnSPI : public TSPI {
public:
    using TSPI::TSPI;
};

}  // namespace korvent::spi
