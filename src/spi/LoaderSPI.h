#pragma once

#include "spi/SPI.h"

namespace korvent::spi {

// A plug-in that recognises files: the common base of image-input and archive plug-ins.
class TLoaderSPI : public TSPI {
public:
    using TSPI::TSPI;

    void CheckAPI() const override {
        TSPI::CheckAPI();
        Require(HasIsSupported(), "IsSupported");
    }
};

}  // namespace korvent::spi
