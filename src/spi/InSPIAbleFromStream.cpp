#include "spi/InSPIAbleFromStream.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <sstream>

namespace korvent::spi {

TInSPIAbleFromStream::TInSPIAbleFromStream(graphics::TGraphic& owner, std::istream& stream,
                                           std::string fileName)
    : TInSPIAbleData(owner, std::move(fileName)) {
    if (auto* memory = dynamic_cast<std::stringbuf*>(stream.rdbuf())) {
        const std::string_view view = memory->view();
        FData = view.data();
        FSize = view.size();
        return;
    }
    stream.clear();
    stream.seekg(0);
    FCopy.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    FData = FCopy.data();
    FSize = FCopy.size();
}

void TInSPIAbleFromStream::ReadHeader(std::uint8_t* buffer, std::size_t length) {
    if (FSize > 0) {
        std::memcpy(buffer, FData, std::min(FSize, length));
    }
}

bool TInSPIAbleFromStream::InputAt(long offset, TInput& input) const {
    if (static_cast<std::size_t>(offset) > FSize) {
        return false;
    }
    input = {FData + offset, static_cast<long>(FSize - static_cast<std::size_t>(offset)),
             SPI_INPUT_MEMORY};
    return true;
}

}  // namespace korvent::spi
