#include "graphics/Bitmap.h"

#include "graphics/InvalidGraphic.h"
#include "graphics/PixelCodec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <unordered_map>

namespace korvent::graphics {
namespace {

void CheckSize(int width, int height) {
    if (width < 0 || height < 0) {
        throw EInvalidGraphic("Invalid bitmap size " + std::to_string(width) + " x " +
                              std::to_string(height));
    }
    // Each side is bounded too, so that a bitmap with no pixels cannot claim endless rows.
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) >
            TBitmap::kMaxPixels ||
        static_cast<std::uint64_t>(width) > TBitmap::kMaxPixels ||
        static_cast<std::uint64_t>(height) > TBitmap::kMaxPixels) {
        throw EInvalidGraphic("Bitmap too large: " + std::to_string(width) + " x " +
                              std::to_string(height) + " pixels");
    }
}

bool IsValidFormat(TPixelFormat format) {
    switch (format) {
        case TPixelFormat::Bit1:
        case TPixelFormat::Bit4:
        case TPixelFormat::Bit8:
        case TPixelFormat::Bit16:
        case TPixelFormat::Bit24:
        case TPixelFormat::Bit32:
            return true;
    }
    return false;
}

std::uint32_t PackRgb(TRgb c) {
    return (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) | c.blue;
}

// Index into the 3-3-2 default palette nearest to a colour.
std::uint32_t Index332(TRgb c) {
    const std::uint32_t r = (c.red * 7u + 127) / 255;
    const std::uint32_t g = (c.green * 7u + 127) / 255;
    const std::uint32_t b = (c.blue * 3u + 127) / 255;
    return (r << 5) | (g << 2) | b;
}

void WriteRgbRow(const TRgb* colors, int width, TPixelFormat format, std::uint8_t* row) {
    switch (format) {
        case TPixelFormat::Bit16:
            for (int x = 0; x < width; ++x) {
                const std::uint32_t v = ((colors[x].red >> 3) << 10) |
                                        ((colors[x].green >> 3) << 5) | (colors[x].blue >> 3);
                row[2 * x] = static_cast<std::uint8_t>(v);
                row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
            }
            break;
        case TPixelFormat::Bit24:
            for (int x = 0; x < width; ++x) {
                row[3 * x] = colors[x].blue;
                row[3 * x + 1] = colors[x].green;
                row[3 * x + 2] = colors[x].red;
            }
            break;
        case TPixelFormat::Bit32:
            for (int x = 0; x < width; ++x) {
                row[4 * x] = colors[x].blue;
                row[4 * x + 1] = colors[x].green;
                row[4 * x + 2] = colors[x].red;
                row[4 * x + 3] = 0;
            }
            break;
        default:
            break;
    }
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
    Reset(width, height, format);
}

TBitmap::TBitmap(const TBitmap& other) = default;
TBitmap& TBitmap::operator=(const TBitmap& other) = default;
TBitmap::TBitmap(TBitmap&& other) noexcept = default;
TBitmap& TBitmap::operator=(TBitmap&& other) noexcept = default;
TBitmap::~TBitmap() = default;

std::size_t TBitmap::SetLayout(int width, int height, TPixelFormat format) {
    CheckSize(width, height);
    if (!IsValidFormat(format)) {
        throw EInvalidGraphic("Invalid pixel format");
    }
    const std::size_t stride = static_cast<std::size_t>(
        pixel::RowStride(static_cast<std::uint64_t>(width), graphics::BitsPerPixel(format)));
    FWidth = width;
    FHeight = height;
    FStride = stride;
    FPixelFormat = format;
    FPalette = pixel::DefaultPalette(format);
    FMasks = kMasks555;
    return stride * static_cast<std::size_t>(height);
}

void TBitmap::Reset(int width, int height, TPixelFormat format) {
    TBitmap fresh;
    fresh.FBits = TPixelBlock(fresh.SetLayout(width, height, format));
    fresh.SetOnProgress(OnProgress());
    *this = std::move(fresh);
}

void TBitmap::AdoptPixels(int width, int height, TPixelFormat format, TPixelBlock rows,
                          bool bottomUp) {
    TBitmap adopted;
    const std::size_t size = adopted.SetLayout(width, height, format);
    if (rows.size() < size) {
        throw EInvalidGraphic("Pixel rows shorter than the picture");
    }
    adopted.FBits = std::move(rows);
    if (bottomUp) {
        std::uint8_t* bits = adopted.FBits.data();
        for (int y = 0; y < height / 2; ++y) {
            std::swap_ranges(bits + static_cast<std::size_t>(y) * adopted.FStride,
                             bits + static_cast<std::size_t>(y + 1) * adopted.FStride,
                             bits + static_cast<std::size_t>(height - 1 - y) * adopted.FStride);
        }
    }
    adopted.SetOnProgress(OnProgress());
    *this = std::move(adopted);
}

void TBitmap::Assign(const TGraphic& source) {
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        if (bitmap != this) {
            *this = *bitmap;
        }
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::SetSize(int width, int height) {
    if (width == FWidth && height == FHeight) {
        return;
    }
    CheckSize(width, height);
    TBitmap resized(width, height, FPixelFormat);
    resized.FPalette = FPalette;
    resized.FMasks = FMasks;
    const int rows = std::min(height, FHeight);
    const std::size_t bytes = std::min<std::size_t>(
        resized.FStride, static_cast<std::size_t>(pixel::RowStride(
                             static_cast<std::uint64_t>(std::min(width, FWidth)), BitsPerPixel())));
    for (int y = 0; y < rows; ++y) {
        std::memcpy(resized.FBits.data() + y * resized.FStride, FBits.data() + y * FStride, bytes);
    }
    resized.SetOnProgress(OnProgress());
    *this = std::move(resized);
}

std::span<std::uint8_t> TBitmap::ScanLine(int row) {
    if (row < 0 || row >= FHeight) {
        throw EInvalidGraphic("Scan line index out of range");
    }
    return {FBits.data() + static_cast<std::size_t>(row) * FStride, FStride};
}

std::span<const std::uint8_t> TBitmap::ScanLine(int row) const {
    if (row < 0 || row >= FHeight) {
        throw EInvalidGraphic("Scan line index out of range");
    }
    return {FBits.data() + static_cast<std::size_t>(row) * FStride, FStride};
}

void TBitmap::SetPalette(std::vector<TRgb> palette) {
    if (!IsIndexed(FPixelFormat)) {
        return;
    }
    const std::size_t limit = std::size_t{1} << BitsPerPixel();
    if (palette.size() > limit) {
        palette.resize(limit);
    }
    FPalette = std::move(palette);
}

void TBitmap::SetBitMasks(const TBitMasks& masks) {
    if (FPixelFormat != TPixelFormat::Bit16) {
        throw EInvalidGraphic("Only 16-bit bitmaps have colour masks");
    }
    for (std::uint32_t mask : {masks.red, masks.green, masks.blue}) {
        if (mask > 0xFFFF || !pixel::IsContiguousMask(mask)) {
            throw EInvalidGraphic("Invalid colour mask for a 16-bit bitmap");
        }
    }
    FMasks = masks;
}

void TBitmap::CheckPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) {
        throw EInvalidGraphic("Pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                              ") is outside the bitmap");
    }
}

TRgb TBitmap::PixelColor(int x, int y) const {
    CheckPixel(x, y);
    const std::uint8_t* row = FBits.data() + static_cast<std::size_t>(y) * FStride;
    const int bits = BitsPerPixel();
    TRgb color;
    if (IsIndexed(FPixelFormat)) {
        const std::uint32_t index = pixel::IndexAt(row, x, bits);
        return index < FPalette.size() ? FPalette[index] : TRgb{};
    }
    const std::size_t bytes = static_cast<std::size_t>(bits / 8);
    pixel::RowToRgb(row + bytes * static_cast<std::size_t>(x), 1, FPixelFormat, FPalette, FMasks,
                    &color);
    return color;
}

void TBitmap::SetPixelColor(int x, int y, TRgb color) {
    CheckPixel(x, y);
    std::uint8_t* row = FBits.data() + static_cast<std::size_t>(y) * FStride;
    const int bits = BitsPerPixel();
    if (IsIndexed(FPixelFormat)) {
        pixel::SetIndexAt(row, x, bits, pixel::NearestIndex(FPalette, color));
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(bits / 8);
    std::uint8_t* at = row + bytes * static_cast<std::size_t>(x);
    if (FPixelFormat == TPixelFormat::Bit16) {
        const auto place = [](std::uint8_t channel, std::uint32_t mask) -> std::uint32_t {
            if (mask == 0) {
                return 0;
            }
            const int shift = std::countr_zero(mask);
            const int width = std::popcount(mask);
            const std::uint32_t max = (1u << width) - 1;
            return ((channel * max + 127) / 255) << shift;
        };
        const std::uint32_t v = place(color.red, FMasks.red) | place(color.green, FMasks.green) |
                                place(color.blue, FMasks.blue);
        at[0] = static_cast<std::uint8_t>(v);
        at[1] = static_cast<std::uint8_t>(v >> 8);
        return;
    }
    WriteRgbRow(&color, 1, FPixelFormat, at);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == FPixelFormat) {
        return;
    }
    TBitmap converted(FWidth, FHeight, format);
    converted.SetOnProgress(OnProgress());
    const int toBits = graphics::BitsPerPixel(format);
    const int fromBits = BitsPerPixel();

    if (IsIndexed(format) && IsIndexed(FPixelFormat) && FPalette.size() <= (1u << toBits)) {
        // Fewer or more bits per index, same colours: indexes carry over unchanged.
        converted.FPalette = FPalette;
        for (int y = 0; y < FHeight; ++y) {
            const std::uint8_t* from = FBits.data() + static_cast<std::size_t>(y) * FStride;
            std::uint8_t* to =
                converted.FBits.data() + static_cast<std::size_t>(y) * converted.FStride;
            for (int x = 0; x < FWidth; ++x) {
                std::uint32_t index = pixel::IndexAt(from, x, fromBits);
                if (index >= (1u << toBits)) {
                    index = pixel::NearestIndex(FPalette,
                                                index < FPalette.size() ? FPalette[index] : TRgb{});
                }
                pixel::SetIndexAt(to, x, toBits, index);
            }
        }
        *this = std::move(converted);
        return;
    }

    std::vector<TRgb> colors(static_cast<std::size_t>(FWidth));
    const auto rowColors = [&](int y) {
        pixel::RowToRgb(FBits.data() + static_cast<std::size_t>(y) * FStride, FWidth, FPixelFormat,
                        FPalette, FMasks, colors.data());
    };

    if (!IsIndexed(format)) {
        for (int y = 0; y < FHeight; ++y) {
            rowColors(y);
            WriteRgbRow(colors.data(), FWidth, format,
                        converted.FBits.data() + static_cast<std::size_t>(y) * converted.FStride);
        }
        *this = std::move(converted);
        return;
    }

    // Towards an indexed format: an exact palette when the colours fit, else the fixed one.
    const std::size_t limit = std::size_t{1} << toBits;
    std::unordered_map<std::uint32_t, std::uint32_t> exact;
    std::vector<TRgb> palette;
    for (int y = 0; y < FHeight && palette.size() <= limit; ++y) {
        rowColors(y);
        for (const TRgb& c : colors) {
            if (exact.emplace(PackRgb(c), static_cast<std::uint32_t>(palette.size())).second) {
                palette.push_back(c);
                if (palette.size() > limit) {
                    break;
                }
            }
        }
    }
    const bool fits = palette.size() <= limit;
    if (fits) {
        converted.FPalette = palette;
    }
    for (int y = 0; y < FHeight; ++y) {
        rowColors(y);
        std::uint8_t* to = converted.FBits.data() + static_cast<std::size_t>(y) * converted.FStride;
        for (int x = 0; x < FWidth; ++x) {
            const TRgb c = colors[static_cast<std::size_t>(x)];
            std::uint32_t index;
            if (fits) {
                index = exact.at(PackRgb(c));
            } else if (format == TPixelFormat::Bit8) {
                index = Index332(c);
            } else {
                index = pixel::NearestIndex(converted.FPalette, c);
            }
            pixel::SetIndexAt(to, x, toBits, index);
        }
    }
    *this = std::move(converted);
}

}  // namespace korvent::graphics
