#pragma once

#include "spi/LoaderSPI.h"

namespace korvent::spi {

// An archive plug-in (version "00AM"). The program never extracts archives; the kind exists
// so that such plug-ins are recognised and can be refused.
class TAmSPI : public TLoaderSPI {
public:
    using TLoaderSPI::TLoaderSPI;

    void CheckAPI() const override {
        TLoaderSPI::CheckAPI();
        Require(HasGetArchiveInfo(), "GetArchiveInfo");
        Require(HasGetFileInfo(), "GetFileInfo");
        Require(HasGetFile(), "GetFile");
    }
};

}  // namespace korvent::spi
