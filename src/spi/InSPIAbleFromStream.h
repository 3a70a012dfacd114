#pragma once

#include <istream>
#include <string>

#include "spi/InSPIAbleData.h"

namespace korvent::spi {

// A decode source that hands the plug-ins a block of memory: the stream's own buffer when it
// is a string stream (no copy), otherwise a copy of the whole stream. Either way the image
// starts at the stream's beginning, whatever its current position.
class TInSPIAbleFromStream final : public TInSPIAbleData {
public:
    TInSPIAbleFromStream(graphics::TGraphic& owner, std::istream& stream, std::string fileName);

protected:
    void ReadHeader(std::uint8_t* buffer, std::size_t length) override;
    bool InputAt(long offset, TInput& input) const override;

private:
    std::string FCopy;  // only when the stream's memory cannot be used in place
    const char* FData = nullptr;
    std::size_t FSize = 0;
};

}  // namespace korvent::spi
