#pragma once

#include "spi/InSPIAbleData.h"

namespace korvent::spi {

// A decode source that hands the plug-ins the file name; they read the file themselves.
class TInSPIAbleFromFile final : public TInSPIAbleData {
public:
    using TInSPIAbleData::TInSPIAbleData;

protected:
    void ReadHeader(std::uint8_t* buffer, std::size_t length) override;
    bool InputAt(long offset, TInput& input) const override;
};

}  // namespace korvent::spi
