#include "spi/InSPIAbleFromFile.h"

#include <fstream>

namespace korvent::spi {

void TInSPIAbleFromFile::ReadHeader(std::uint8_t* buffer, std::size_t length) {
    std::ifstream file(FileName(), std::ios::binary);
    if (file) {
        file.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(length));
    }
}

bool TInSPIAbleFromFile::InputAt(long offset, TInput& input) const {
    input = {FileName().c_str(), offset, SPI_INPUT_FILE};
    return true;
}

}  // namespace korvent::spi
