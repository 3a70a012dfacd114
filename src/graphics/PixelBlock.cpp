#include "graphics/PixelBlock.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace korvent::graphics {

TPixelBlock::TPixelBlock(std::size_t size) {
    if (size == 0) {
        return;
    }
    // Large zeroed blocks come straight from the system's zero pages: nothing is touched yet.
    FData = static_cast<std::uint8_t*>(std::calloc(size, 1));
    if (FData == nullptr) {
        throw std::bad_alloc();
    }
    FSize = size;
    FFree = &std::free;
}

TPixelBlock::TPixelBlock(void* data, std::size_t size, TFree free)
    : FData(static_cast<std::uint8_t*>(data)), FSize(size), FFree(free) {}

TPixelBlock::TPixelBlock(const TPixelBlock& other) : TPixelBlock(other.FSize) {
    if (FSize != 0) {
        std::memcpy(FData, other.FData, FSize);
    }
}

TPixelBlock& TPixelBlock::operator=(const TPixelBlock& other) {
    if (this != &other) {
        *this = TPixelBlock(other);
    }
    return *this;
}

TPixelBlock::TPixelBlock(TPixelBlock&& other) noexcept
    : FData(std::exchange(other.FData, nullptr)),
      FSize(std::exchange(other.FSize, 0)),
      FFree(std::exchange(other.FFree, nullptr)) {}

TPixelBlock& TPixelBlock::operator=(TPixelBlock&& other) noexcept {
    if (this != &other) {
        Release();
        FData = std::exchange(other.FData, nullptr);
        FSize = std::exchange(other.FSize, 0);
        FFree = std::exchange(other.FFree, nullptr);
    }
    return *this;
}

TPixelBlock::~TPixelBlock() {
    Release();
}

void TPixelBlock::Release() {
    if (FData != nullptr && FFree != nullptr) {
        FFree(FData);
    }
    FData = nullptr;
    FSize = 0;
    FFree = nullptr;
}

}  // namespace korvent::graphics
