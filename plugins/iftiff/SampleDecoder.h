#pragma once

// Pictures whose samples libtiff's RGBA reader cannot turn into colours, or turns into the wrong
// ones: floating-point and signed samples, integers of depths other than the usual, 16-bit CMYK
// and CIE L*a*b*. Their samples are read as stored and converted here.

#include <tiffio.h>

#include "SpiPlugin.h"

namespace korvent::plugins {

// True when the picture's samples are converted here rather than by libtiff.
bool HasOwnSamples(TIFF* tiff);

// Decodes a picture for which HasOwnSamples() holds, of width x height stored pixels, turned
// upright by `orientation`, into a 24-bit `dib` laid over white.
int DecodeOwnSamples(TIFF* tiff, int width, int height, int orientation, TDib& dib,
                     const TProgress& progress);

}  // namespace korvent::plugins
