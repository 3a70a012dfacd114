#pragma once

#include "spi/LoaderSPI.h"

namespace korvent::spi {

// An image-input plug-in (version "00IN"): the only kind that decodes pictures.
class TInSPI : public TLoaderSPI {
public:
    using TLoaderSPI::TLoaderSPI;

    void CheckAPI() const override {
        TLoaderSPI::CheckAPI();
        Require(HasGetPictureInfo(), "GetPictureInfo");
        Require(HasGetPicture(), "GetPicture");
    }
};

}  // namespace korvent::spi
