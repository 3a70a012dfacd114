#pragma once

#include <cstddef>
#include <cstdint>

namespace korvent::plugins {

// The orientation (1 to 8) that an APP1 "Exif" segment records for the picture; 1 (as stored)
// when the segment is not Exif, is damaged, or holds no valid value (0 and values above 8 occur
// in the wild).
int ExifOrientation(const std::uint8_t* segment, std::size_t size);

}  // namespace korvent::plugins
