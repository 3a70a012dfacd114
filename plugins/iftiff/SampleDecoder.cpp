#include "SampleDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <vector>

#include "LabColor.h"
#include "Orientation.h"
#include "TiffBand.h"

namespace korvent::plugins {
namespace {

// How the samples of a pixel are stored and what they mean.
struct TLayout {
    std::uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    std::uint16_t format = SAMPLEFORMAT_UINT;
    int bits = 8;
    int samples = 1;
    int colorSamples = 1;     // the first samples of a pixel, which give its colour
    int alpha = -1;           // the sample holding the pixel's coverage, if any
    bool associated = false;  // colours multiplied by their coverage already
    bool separate = false;    // each sample in a plane of its own
    // Floating-point samples run from black at `low` to white at `high`.
    double low = 0.0;
    double high = 1.0;
    TChromaticity white = kD50;
};

bool IsLab(std::uint16_t photometric) {
    return photometric == PHOTOMETRIC_CIELAB || photometric == PHOTOMETRIC_ICCLAB;
}

// Writers that leave out the tag mean grey or RGB, as libtiff's own reader assumes.
std::uint16_t PhotometricOf(TIFF* tiff, int samples) {
    std::uint16_t photometric = 0;
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric)) {
        photometric = samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    }
    return photometric;
}

// 0 for colour models not converted here.
int ColorSamplesOf(TIFF* tiff, std::uint16_t photometric) {
    std::uint16_t inks = INKSET_CMYK;
    switch (photometric) {
        case PHOTOMETRIC_MINISWHITE:
        case PHOTOMETRIC_MINISBLACK:
            return 1;
        case PHOTOMETRIC_RGB:
        case PHOTOMETRIC_CIELAB:
        case PHOTOMETRIC_ICCLAB:
            return 3;
        case PHOTOMETRIC_SEPARATED:
            TIFFGetFieldDefaulted(tiff, TIFFTAG_INKSET, &inks);
            return inks == INKSET_CMYK ? 4 : 0;
        default:
            return 0;
    }
}

void ReadAlpha(TIFF* tiff, TLayout& layout) {
    std::uint16_t count = 0;
    std::uint16_t* types = nullptr;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &count, &types);
    const int first = layout.samples - count;
    if (count == 0 || !types || first < layout.colorSamples) {
        return;
    }
    if (types[0] == EXTRASAMPLE_ASSOCALPHA || types[0] == EXTRASAMPLE_UNASSALPHA) {
        layout.alpha = first;
        layout.associated = types[0] == EXTRASAMPLE_ASSOCALPHA;
    }
}

void ReadFloatRange(TIFF* tiff, TLayout& layout) {
    double low = 0.0;
    double high = 1.0;
    TIFFGetField(tiff, TIFFTAG_SMINSAMPLEVALUE, &low);
    TIFFGetField(tiff, TIFFTAG_SMAXSAMPLEVALUE, &high);
    if (std::isfinite(low) && std::isfinite(high) && high > low) {
        layout.low = low;
        layout.high = high;
    }
}

void ReadWhite(TIFF* tiff, TLayout& layout) {
    float* white = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_WHITEPOINT, &white) && white && white[0] > 0.0f &&
        white[1] > 0.0f && white[0] + white[1] < 1.0f) {
        layout.white = {white[0], white[1]};
    }
}

TLayout ReadLayout(TIFF* tiff) {
    TLayout layout;
    std::uint16_t bits = 1;
    std::uint16_t samples = 1;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &layout.format);
    layout.bits = bits;
    layout.samples = samples;
    layout.separate = planar == PLANARCONFIG_SEPARATE && samples > 1;
    layout.photometric = PhotometricOf(tiff, samples);
    layout.colorSamples = ColorSamplesOf(tiff, layout.photometric);
    ReadAlpha(tiff, layout);
    ReadFloatRange(tiff, layout);
    ReadWhite(tiff, layout);
    return layout;
}

bool Convertible(const TLayout& layout) {
    if (layout.colorSamples == 0 || layout.samples < layout.colorSamples) {
        return false;
    }
    const bool integer = layout.format == SAMPLEFORMAT_UINT || layout.format == SAMPLEFORMAT_INT ||
                         layout.format == SAMPLEFORMAT_VOID;
    if (IsLab(layout.photometric)) {
        return integer && (layout.bits == 8 || layout.bits == 16);
    }
    if (layout.format == SAMPLEFORMAT_IEEEFP) {
        return layout.bits == 16 || layout.bits == 32 || layout.bits == 64;
    }
    return integer && layout.bits >= 1 && layout.bits <= 32;
}

// What libtiff's RGBA reader shows correctly: unsigned grey of the usual depths, 8- and 16-bit
// RGB and 8-bit CMYK.
bool LibtiffConverts(const TLayout& layout) {
    if (layout.format != SAMPLEFORMAT_UINT && layout.format != SAMPLEFORMAT_VOID) {
        return false;
    }
    const int bits = layout.bits;
    switch (layout.photometric) {
        case PHOTOMETRIC_MINISWHITE:
        case PHOTOMETRIC_MINISBLACK:
            return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16;
        case PHOTOMETRIC_RGB:
            return bits == 8 || bits == 16;
        case PHOTOMETRIC_SEPARATED:
            return bits == 8;
        default:
            return false;
    }
}

double Signed(std::uint64_t value, int bits) {
    const std::uint64_t sign = std::uint64_t{1} << (bits - 1);
    return static_cast<double>(static_cast<std::int64_t>(value ^ sign) -
                               static_cast<std::int64_t>(sign));
}

double HalfFloat(std::uint64_t value) {
    const int exponent = static_cast<int>(value >> 10) & 0x1F;
    const double mantissa = static_cast<double>(value & 0x3FF);
    const double magnitude = exponent == 0    ? std::ldexp(mantissa, -24)
                             : exponent == 31 ? (mantissa != 0 ? NAN : INFINITY)
                                              : std::ldexp(mantissa + 1024, exponent - 25);
    return (value & 0x8000) ? -magnitude : magnitude;
}

double FloatValue(std::uint64_t value, int bits) {
    if (bits == 16) {
        return HalfFloat(value);
    }
    if (bits == 32) {
        return std::bit_cast<float>(static_cast<std::uint32_t>(value));
    }
    return std::bit_cast<double>(value);
}

// A sample as a level from 0 (none) to 1 (full): integers over their whole range, signed ones
// from their most negative value up; floating-point values over their stated range, clipped.
double Level(std::uint64_t value, const TLayout& layout) {
    if (layout.format == SAMPLEFORMAT_IEEEFP) {
        const double v = FloatValue(value, layout.bits);
        return std::isnan(v) ? 0.0
                             : std::clamp((v - layout.low) / (layout.high - layout.low), 0.0, 1.0);
    }
    const double top = std::ldexp(1.0, layout.bits) - 1.0;
    if (layout.format == SAMPLEFORMAT_INT) {
        return (Signed(value, layout.bits) + std::ldexp(1.0, layout.bits - 1)) / top;
    }
    return static_cast<double>(value) / top;
}

using TSamples = std::array<std::uint64_t, 5>;
using TRgb = std::array<double, 3>;

// L* over the whole unsigned range from 0 to 100; a* and b* in steps of 1/256 above 8 bits,
// signed in CIELab and offset by 128 in ICCLab.
TRgb LabColor(const TSamples& samples, const TLayout& layout, const TLabToSrgb& lab) {
    const double step = std::ldexp(1.0, layout.bits - 8);
    const auto chroma = [&](std::uint64_t v) {
        return layout.photometric == PHOTOMETRIC_CIELAB ? Signed(v, layout.bits) / step
                                                        : static_cast<double>(v) / step - 128.0;
    };
    const double lightness =
        static_cast<double>(samples[0]) / (std::ldexp(1.0, layout.bits) - 1.0) * 100.0;
    return lab.Convert(lightness, chroma(samples[1]), chroma(samples[2]));
}

TRgb Color(const TSamples& samples, const TLayout& layout, const TLabToSrgb& lab) {
    const auto level = [&](int i) { return Level(samples[static_cast<std::size_t>(i)], layout); };
    switch (layout.photometric) {
        case PHOTOMETRIC_MINISWHITE:
            return {1.0 - level(0), 1.0 - level(0), 1.0 - level(0)};
        case PHOTOMETRIC_MINISBLACK:
            return {level(0), level(0), level(0)};
        case PHOTOMETRIC_RGB:
            return {level(0), level(1), level(2)};
        case PHOTOMETRIC_SEPARATED: {
            const double paper = 1.0 - level(3);
            return {(1.0 - level(0)) * paper, (1.0 - level(1)) * paper, (1.0 - level(2)) * paper};
        }
        default:
            return LabColor(samples, layout, lab);
    }
}

std::uint8_t Byte(double level) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(level, 0.0, 1.0) * 255.0));
}

// Stored row `r` of the band as blue, green, red, laid over white.
void ConvertRow(const TTiffBand& band, int r, const TLayout& layout, const TLabToSrgb& lab,
                int width, std::uint8_t* bgr) {
    const int count = layout.alpha >= 0 ? layout.colorSamples + 1 : layout.colorSamples;
    TSamples samples{};
    for (int x = 0; x < width; ++x, bgr += 3) {
        for (int i = 0; i < count; ++i) {
            const int s = i < layout.colorSamples ? i : layout.alpha;
            samples[static_cast<std::size_t>(i)] =
                layout.separate
                    ? StoredSample(band.Row(s, r), static_cast<std::size_t>(x), layout.bits)
                    : StoredSample(band.Row(0, r), static_cast<std::size_t>(x) * layout.samples + s,
                                   layout.bits);
        }
        TRgb rgb = Color(samples, layout, lab);
        if (layout.alpha >= 0) {
            const double alpha = Level(samples[static_cast<std::size_t>(count - 1)], layout);
            for (double& c : rgb) {
                c = (layout.associated ? c : c * alpha) + 1.0 - alpha;
            }
        }
        bgr[0] = Byte(rgb[2]);
        bgr[1] = Byte(rgb[1]);
        bgr[2] = Byte(rgb[0]);
    }
}

}  // namespace

bool HasOwnSamples(TIFF* tiff) {
    const TLayout layout = ReadLayout(tiff);
    return Convertible(layout) && !LibtiffConverts(layout);
}

int DecodeOwnSamples(TIFF* tiff, int width, int height, int orientation, TDib& dib,
                     const TProgress& progress) {
    const TLayout layout = ReadLayout(tiff);
    TTiffBand band;
    int result = band.Open(tiff, layout.separate ? layout.samples : 1,
                           layout.separate ? 1 : layout.samples, layout.bits, width, height);
    if (result == SPI_ALL_RIGHT) {
        result = CreateUpright(dib, orientation, width, height, 24);
    }
    if (result != SPI_ALL_RIGHT) {
        return result;
    }
    const TLabToSrgb lab(layout.white);
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * 3);
    for (int top = 0; top < height; top += band.Rows()) {
        if (!band.Read(top)) {
            return SPI_OUT_OF_ORDER;
        }
        const int rows = std::min(band.Rows(), height - top);
        for (int r = 0; r < rows; ++r) {
            ConvertRow(band, r, layout, lab, width, bgr.data());
            PutStoredRow(dib, orientation, top + r, bgr.data(), width, height, 3);
        }
        if (progress.Step(top + rows, height)) {
            return SPI_ABORT;
        }
    }
    return SPI_ALL_RIGHT;
}

}  // namespace korvent::plugins
