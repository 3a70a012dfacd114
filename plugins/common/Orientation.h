#pragma once

#include <cstdint>

#include "Dib.h"

namespace korvent::plugins {

// The orientation values that JPEG's Exif data and TIFF's Orientation tag share: 1 is upright as
// stored, 2 to 4 are mirrored or turned by 180 degrees, 5 to 8 are turned by 90 degrees.
constexpr bool SwapsAxes(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

// Where the stored pixel (x, y) of a width x height picture goes in the upright picture; the
// upright picture is height x width for the orientations 5 to 8.
struct TTarget {
    int x;
    int y;
};
TTarget OrientedPosition(int orientation, int x, int y, int width, int height);

// Creates `dib` for the upright form of a stored width x height picture.
int CreateUpright(TDib& dib, int orientation, int width, int height, int bitCount, int colors = 0);

// Places stored row `y` (of `bytesPerPixel`-byte pixels in the bitmap's own layout) of a
// width x height picture where it belongs in the upright `dib`.
void PutStoredRow(TDib& dib, int orientation, int y, const std::uint8_t* row, int width, int height,
                  int bytesPerPixel);

}  // namespace korvent::plugins
