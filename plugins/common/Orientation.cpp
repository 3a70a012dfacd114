#include "Orientation.h"

#include <cstring>

namespace korvent::plugins {

TTarget OrientedPosition(int orientation, int x, int y, int width, int height) {
    switch (orientation) {
        case 2:  // mirrored left to right
            return {width - 1 - x, y};
        case 3:  // turned by 180 degrees
            return {width - 1 - x, height - 1 - y};
        case 4:  // mirrored top to bottom
            return {x, height - 1 - y};
        case 5:  // mirrored along the main diagonal
            return {y, x};
        case 6:  // needs a quarter turn clockwise
            return {height - 1 - y, x};
        case 7:  // mirrored along the other diagonal
            return {height - 1 - y, width - 1 - x};
        case 8:  // needs a quarter turn anticlockwise
            return {y, width - 1 - x};
        default:
            return {x, y};
    }
}

int CreateUpright(TDib& dib, int orientation, int width, int height, int bitCount, int colors) {
    const bool swapped = SwapsAxes(orientation);
    return dib.Create(swapped ? height : width, swapped ? width : height, bitCount, colors);
}

void PutStoredRow(TDib& dib, int orientation, int y, const std::uint8_t* row, int width, int height,
                  int bytesPerPixel) {
    const auto size = static_cast<std::size_t>(bytesPerPixel);
    if (orientation < 2 || orientation > 8) {
        std::memcpy(dib.Row(y), row, size * static_cast<std::size_t>(width));
        return;
    }
    for (int x = 0; x < width; ++x) {
        const TTarget to = OrientedPosition(orientation, x, y, width, height);
        std::memcpy(dib.Row(to.y) + size * static_cast<std::size_t>(to.x),
                    row + size * static_cast<std::size_t>(x), size);
    }
}

}  // namespace korvent::plugins
