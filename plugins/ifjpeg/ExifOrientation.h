#pragma once

#include <cstddef>
#include <cstdint>

namespace korvent::plugins {

// The orientation (1 to 8) that an APP1 "Exif" segment records for the picture; 1 (as stored)
// when the segment is not Exif, is damaged, or holds no valid value (0 and values above 8 occur
// in the wild).
int ExifOrientation(const std::uint8_t* segment, std::size_t size);

// Where the stored pixel (x, y) of a width x height picture goes in the upright picture; the
// upright picture is height x width for the orientations 5 to 8.
struct TTarget {
    int x;
    int y;
};
TTarget OrientedPosition(int orientation, int x, int y, int width, int height);

}  // namespace korvent::plugins
