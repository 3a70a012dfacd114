#pragma once

// Small images written with the image libraries themselves, so that each plug-in is checked
// against files that the reference encoder produced from known pixels.

#include <cstdint>
#include <string>
#include <vector>

namespace korvent::test {

struct TRgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;

    friend bool operator==(const TRgba&, const TRgba&) = default;
};

// Pixels top row first.
struct TTestImage {
    int width = 0;
    int height = 0;
    std::vector<TRgba> pixels;

    TRgba& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const TRgba& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }

    // Every pixel different from its neighbours, so that swapped rows, mirrored columns or a
    // wrong channel order show. With `alpha`, the columns cycle through the alpha values
    // 255, 0, 128 and 37.
    static TTestImage Pattern(int width, int height, bool alpha = false);
    // Pixels taken from an 8-entry palette: the index is (x + 2 * y) % 8.
    static TTestImage Indexed(int width, int height);
    static const std::vector<TRgba>& IndexedPalette();
};

using TBytes = std::vector<std::uint8_t>;

enum class TPngKind { Rgb, Rgba, Gray, GrayAlpha, Palette, PaletteTransparent, Rgb16, Interlaced };
TBytes EncodePng(const TTestImage& image, TPngKind kind);

// `app1` is written as an APP1 segment (for Exif data) when not empty.
TBytes EncodeJpeg(const TTestImage& image, int quality, const TBytes& app1 = {}, bool gray = false);
// An Exif APP1 body holding one orientation entry, in Intel or Motorola byte order.
TBytes ExifWithOrientation(int orientation, bool bigEndian = false);

struct TGifOptions {
    int transparent = -1;
    bool interlaced = false;
    int screenWidth = 0;  // 0: the image's size
    int screenHeight = 0;
    int left = 0;
    int top = 0;
};
// Uses TTestImage::IndexedPalette(); the image must be made of its colours.
TBytes EncodeGif(const TTestImage& image, const TGifOptions& options = {});

enum class TTiffKind { Rgb, RgbaUnassociated, Palette8, Palette4, Tiled, BigEndian };
// The pixels are stored as given; `orientation` (1 to 8) only says how to show them.
TBytes EncodeTiff(const TTestImage& image, TTiffKind kind, int orientation = 1);

// A TIFF of samples as stored, for the sample formats and colour models EncodeTiff leaves out.
struct TSampleTiff {
    int width = 0;
    int height = 0;
    int samples = 1;
    // `samples` numbers a pixel, top row first: integers cut to the depth, floating-point numbers
    // stored as 16-, 32- or 64-bit floats.
    std::vector<double> values;
    int bits = 8;
    int sampleFormat = 1;   // SampleFormat: 1 unsigned, 2 signed, 3 floating point
    int photometric = 1;    // PhotometricInterpretation
    bool alpha = false;     // the last sample is unassociated alpha
    bool separate = false;  // a plane for each sample
    bool tiled = false;     // 16 x 16 tiles, uncompressed; otherwise LZW strips of 2 rows
    bool bigEndian = false;
    double minValue = 0;  // SMinSampleValue and SMaxSampleValue, written when they differ
    double maxValue = 0;
    float whiteX = 0;  // WhitePoint, written when not 0
    float whiteY = 0;
};
TBytes EncodeSampleTiff(const TSampleTiff& how);

TBytes EncodeWebp(const TTestImage& image, bool alpha);
// A lossless animation of frames of one size.
TBytes EncodeAnimatedWebp(const std::vector<TTestImage>& frames);

// What libjpeg itself decodes from a JPEG file, as RGB.
TTestImage DecodeJpegReference(const TBytes& jpeg);
// The picture turned upright for the Exif orientation (1 to 8; anything else: unchanged).
TTestImage Oriented(const TTestImage& stored, int orientation);

// A channel of a pixel of coverage `alpha` over white, rounded.
std::uint8_t OverWhite(unsigned value, unsigned alpha);
// The pixels as a viewer shows them on white.
TTestImage OnWhite(const TTestImage& image);

TBytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const TBytes& bytes);

}  // namespace korvent::test
