// Reading and writing Windows BMP files and packed DIBs for TBitmap.
#include "graphics/Bitmap.h"

#include "graphics/InvalidGraphic.h"
#include "graphics/PixelCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <istream>
#include <limits>
#include <ostream>
#include <string>

namespace korvent::graphics {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
// Larger headers exist only as future extensions; nothing real is near this.
constexpr std::uint32_t kMaxHeaderSize = 4096;
// More colour-table entries than this is corruption, not a palette.
constexpr std::uint32_t kMaxColorsUsed = 1u << 16;
// Pixel data is read in pieces so that a file claiming a huge picture but holding little data
// fails before the whole buffer is allocated.
constexpr std::size_t kReadChunk = std::size_t{1} << 20;

[[noreturn]] void Fail(const std::string& what) {
    throw EInvalidGraphic("Invalid BMP: " + what);
}

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}
void PutU16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void PutU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

// Where the bytes come from: a stream or a block of memory. Counts what it has handed out.
class Source {
public:
    virtual ~Source() = default;
    // Returns how many bytes were read; fewer than asked only at the end of the data.
    virtual std::size_t Read(std::uint8_t* out, std::size_t count) = 0;
    std::uint64_t Position() const { return fPosition; }

    void ReadExactly(std::uint8_t* out, std::size_t count, const char* what) {
        if (Read(out, count) != count) {
            Fail(std::string("file is truncated in the ") + what);
        }
    }
    void Skip(std::uint64_t count, const char* what) {
        std::array<std::uint8_t, 4096> scratch;
        while (count > 0) {
            const std::size_t n =
                static_cast<std::size_t>(std::min<std::uint64_t>(count, scratch.size()));
            ReadExactly(scratch.data(), n, what);
            count -= n;
        }
    }

protected:
    std::uint64_t fPosition = 0;
};

class StreamSource : public Source {
public:
    explicit StreamSource(std::istream& stream) : fStream(stream) {}
    std::size_t Read(std::uint8_t* out, std::size_t count) override {
        if (count == 0 || !fStream.good()) {
            return 0;
        }
        fStream.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
        const auto got = static_cast<std::size_t>(fStream.gcount());
        if (got < count) {
            // The end of the data is not an error of the stream for the caller.
            fStream.clear(fStream.rdstate() & ~(std::ios::eofbit | std::ios::failbit));
            fExhausted = true;
        }
        fPosition += got;
        return got;
    }
    bool Exhausted() const { return fExhausted; }

private:
    std::istream& fStream;
    bool fExhausted = false;
};

class MemorySource : public Source {
public:
    explicit MemorySource(std::span<const std::uint8_t> data) : fData(data) {}
    std::size_t Read(std::uint8_t* out, std::size_t count) override {
        const std::size_t n = std::min<std::size_t>(count, fData.size() - fOffset);
        if (n > 0) {
            std::memcpy(out, fData.data() + fOffset, n);
        }
        fOffset += n;
        fPosition += n;
        return n;
    }

private:
    std::span<const std::uint8_t> fData;
    std::size_t fOffset = 0;
};

// What the headers say about the picture.
struct Layout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t sizeImage = 0;
    std::uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    bool hasMasks = false;
    std::vector<TRgb> palette;
};

TPixelFormat FormatFor(int bits) {
    return static_cast<TPixelFormat>(bits);
}

// Reads the bitmap-info header, masks and colour table. `pixelOffset`, when non-zero, is where
// the file header says the pixels start; a colour table reaching past it is cut short, as some
// writers count colours they do not store.
Layout ReadInfo(Source& in, std::uint64_t pixelOffset) {
    Layout layout;
    std::array<std::uint8_t, 4> sizeBytes;
    in.ReadExactly(sizeBytes.data(), 4, "bitmap header");
    const std::uint32_t headerSize = U32(sizeBytes.data());
    const bool core = headerSize == 12;
    if (!core && (headerSize < 16 || headerSize > kMaxHeaderSize)) {
        Fail("unsupported header size " + std::to_string(headerSize));
    }
    std::array<std::uint8_t, 124> header{};
    const std::size_t keep = std::min<std::size_t>(headerSize, header.size());
    in.ReadExactly(header.data() + 4, keep - 4, "bitmap header");
    if (headerSize > header.size()) {
        in.Skip(headerSize - header.size(), "bitmap header");
    }
    // OS/2 2.x headers (16 to 64 bytes but not a Windows size) give other compressions meaning.
    const bool os2 =
        !core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize < 108;

    std::int64_t width;
    std::int64_t height;
    std::uint32_t colorsUsed = 0;
    if (core) {
        width = U16(header.data() + 4);
        height = U16(header.data() + 6);
        layout.bits = U16(header.data() + 10);
    } else {
        width = static_cast<std::int32_t>(U32(header.data() + 4));
        height = static_cast<std::int32_t>(U32(header.data() + 8));
        layout.bits = U16(header.data() + 14);
        layout.compression = U32(header.data() + 16);
        layout.sizeImage = U32(header.data() + 20);
        colorsUsed = U32(header.data() + 32);
    }
    switch (layout.bits) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            Fail("unsupported bit depth " + std::to_string(layout.bits));
    }
    if (width < 0) {
        Fail("negative width " + std::to_string(width));
    }
    if (height < 0) {
        layout.topDown = true;
        height = -height;
    }
    if (width == 0 || height == 0) {
        Fail("empty picture (" + std::to_string(width) + " x " + std::to_string(height) + ")");
    }
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) >
        TBitmap::kMaxPixels) {
        Fail("picture too large: " + std::to_string(width) + " x " + std::to_string(height) +
             " pixels");
    }
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);

    switch (layout.compression) {
        case kBiRgb:
            break;
        case kBiRle8:
        case kBiRle4:
            if (layout.bits != (layout.compression == kBiRle8 ? 8 : 4)) {
                Fail("RLE compression does not match the bit depth " + std::to_string(layout.bits));
            }
            if (layout.topDown) {
                Fail("an RLE picture cannot be stored top-down");
            }
            break;
        case kBiBitfields:
        case kBiAlphaBitfields:
            if (os2) {
                Fail("unsupported compression " + std::to_string(layout.compression));
            }
            if (layout.bits != 16 && layout.bits != 32) {
                Fail("colour masks need 16 or 32 bits per pixel, not " +
                     std::to_string(layout.bits));
            }
            layout.hasMasks = true;
            if (headerSize >= 52) {
                for (int i = 0; i < 3; ++i) {
                    layout.masks[i] = U32(header.data() + 40 + 4 * i);
                }
                if (headerSize >= 56) {
                    layout.masks[3] = U32(header.data() + 52);
                }
            } else {
                const int count = layout.compression == kBiAlphaBitfields ? 4 : 3;
                std::array<std::uint8_t, 16> masks{};
                in.ReadExactly(masks.data(), static_cast<std::size_t>(4 * count), "colour masks");
                for (int i = 0; i < count; ++i) {
                    layout.masks[i] = U32(masks.data() + 4 * i);
                }
            }
            for (std::uint32_t mask : layout.masks) {
                if (!pixel::IsContiguousMask(mask) || (layout.bits == 16 && mask > 0xFFFF)) {
                    Fail("invalid colour mask");
                }
            }
            break;
        default:
            Fail("unsupported compression " + std::to_string(layout.compression));
    }

    // Colour table.
    if (colorsUsed > kMaxColorsUsed) {
        Fail("colour table of " + std::to_string(colorsUsed) + " entries");
    }
    std::uint64_t stored = colorsUsed;
    if (layout.bits <= 8 && stored == 0) {
        stored = std::uint64_t{1} << layout.bits;
    }
    const std::uint32_t entrySize = core ? 3 : 4;
    if (pixelOffset != 0 && pixelOffset >= in.Position()) {
        stored = std::min<std::uint64_t>(stored, (pixelOffset - in.Position()) / entrySize);
    }
    std::vector<std::uint8_t> table(static_cast<std::size_t>(stored * entrySize));
    in.ReadExactly(table.data(), table.size(), "colour table");
    if (layout.bits <= 8) {
        const std::size_t count =
            std::min<std::size_t>(static_cast<std::size_t>(stored), std::size_t{1} << layout.bits);
        layout.palette.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* e = table.data() + i * entrySize;
            layout.palette[i] = {e[2], e[1], e[0]};
        }
    }
    return layout;
}

// Reads `total` bytes into `out`, growing it chunk by chunk.
void ReadGrowing(Source& in, std::vector<std::uint8_t>& out, std::size_t total) {
    out.clear();
    while (out.size() < total) {
        const std::size_t old = out.size();
        const std::size_t n = std::min(kReadChunk, total - old);
        out.resize(old + n);
        if (in.Read(out.data() + old, n) != n) {
            Fail("file is truncated in the pixel data");
        }
    }
}

// Reads RLE data: `sizeImage` bytes when given (fewer if the data ends first), else everything.
std::vector<std::uint8_t> ReadRleData(Source& in, std::uint32_t sizeImage) {
    std::vector<std::uint8_t> data;
    const std::size_t limit = sizeImage != 0 ? sizeImage : std::numeric_limits<std::size_t>::max();
    while (data.size() < limit) {
        const std::size_t old = data.size();
        const std::size_t n = std::min(kReadChunk, limit - old);
        data.resize(old + n);
        const std::size_t got = in.Read(data.data() + old, n);
        data.resize(old + got);
        if (got < n) {
            break;
        }
    }
    return data;
}

// Decodes RLE8 or RLE4 data into the rows of `bitmap` (already sized, zero-filled). Pixels
// beyond the right edge are dropped; the picture's bottom row comes first in the data.
void DecodeRle(std::span<const std::uint8_t> data, int bits, TBitmap& bitmap) {
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    std::int64_t x = 0;
    std::int64_t y = 0;  // counted from the bottom
    std::size_t pos = 0;
    const auto put = [&](std::uint32_t index) {
        if (x < width && y < height) {
            pixel::SetIndexAt(bitmap.ScanLine(static_cast<int>(height - 1 - y)).data(),
                              static_cast<int>(x), bits, index);
        }
        ++x;
    };
    while (y < height) {
        if (pos + 2 > data.size()) {
            // Some writers leave out the final end-of-bitmap mark.
            if (y >= height - 1) {
                return;
            }
            Fail("RLE data ends before the picture is complete");
        }
        const std::uint8_t count = data[pos];
        const std::uint8_t value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count && x < width; ++i) {
                put(bits == 8 ? value : ((i & 1) ? (value & 0x0F) : (value >> 4)));
            }
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                ++y;
                break;
            case 1:  // end of bitmap
                return;
            case 2:  // move right and up
                if (pos + 2 > data.size()) {
                    Fail("RLE data ends inside a position change");
                }
                x += data[pos];
                y += data[pos + 1];
                pos += 2;
                break;
            default: {  // literal pixels, padded to a 16-bit boundary
                const std::size_t bytes = bits == 8 ? value : (value + 1u) / 2;
                if (pos + bytes > data.size()) {
                    Fail("RLE data ends inside literal pixels");
                }
                for (int i = 0; i < value && x < width; ++i) {
                    const std::uint8_t b = data[pos + (bits == 8 ? i : i / 2)];
                    put(bits == 8 ? b : ((i & 1) ? (b & 0x0F) : (b >> 4)));
                }
                pos += bytes + (bytes & 1);
                break;
            }
        }
    }
}

// Rewrites 32-bit pixels with arbitrary masks as blue, green, red, alpha bytes.
void NormalizeMasked32(TBitmap& bitmap, const std::uint32_t masks[4]) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = bitmap.ScanLine(y).data();
        for (int x = 0; x < bitmap.Width(); ++x) {
            std::uint8_t* p = row + 4 * x;
            const std::uint32_t v = U32(p);
            p[0] = pixel::ExtractChannel(v, masks[2]);
            p[1] = pixel::ExtractChannel(v, masks[1]);
            p[2] = pixel::ExtractChannel(v, masks[0]);
            p[3] = pixel::ExtractChannel(v, masks[3]);
        }
    }
}

// Reads the pixels that follow the headers and builds the bitmap.
TBitmap ReadPixels(Source& in, const Layout& layout) {
    const TPixelFormat format = FormatFor(layout.bits);
    if (layout.compression == kBiRle8 || layout.compression == kBiRle4) {
        const std::vector<std::uint8_t> data = ReadRleData(in, layout.sizeImage);
        TBitmap bitmap(layout.width, layout.height, format);
        bitmap.SetPalette(layout.palette);
        DecodeRle(data, layout.bits, bitmap);
        return bitmap;
    }

    // Uncompressed rows have the same padded length in the file as in memory.
    const std::size_t stride = static_cast<std::size_t>(
        pixel::RowStride(static_cast<std::uint64_t>(layout.width), layout.bits));
    std::vector<std::uint8_t> rows;
    ReadGrowing(in, rows, stride * static_cast<std::size_t>(layout.height));
    TBitmap bitmap(layout.width, layout.height, format);
    for (int y = 0; y < layout.height; ++y) {
        const int fileRow = layout.topDown ? y : layout.height - 1 - y;
        if (stride > 0) {
            std::memcpy(bitmap.ScanLine(y).data(),
                        rows.data() + static_cast<std::size_t>(fileRow) * stride, stride);
        }
    }
    if (layout.bits <= 8) {
        bitmap.SetPalette(layout.palette);
    } else if (layout.hasMasks && layout.bits == 16) {
        bitmap.SetBitMasks({layout.masks[0], layout.masks[1], layout.masks[2]});
    } else if (layout.hasMasks && layout.bits == 32) {
        const bool standard = layout.masks[0] == 0xFF0000 && layout.masks[1] == 0xFF00 &&
                              layout.masks[2] == 0xFF &&
                              (layout.masks[3] == 0 || layout.masks[3] == 0xFF000000u);
        if (!standard) {
            NormalizeMasked32(bitmap, layout.masks);
        }
    }
    return bitmap;
}

TBitmap ReadFile(Source& in) {
    std::array<std::uint8_t, kFileHeaderSize> fileHeader;
    if (in.Read(fileHeader.data(), fileHeader.size()) != fileHeader.size()) {
        Fail("file is too short for a bitmap file header");
    }
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') {
        Fail("the file does not start with \"BM\"");
    }
    const std::uint64_t pixelOffset = U32(fileHeader.data() + 10);
    Layout layout = ReadInfo(in, pixelOffset);
    if (pixelOffset > in.Position()) {
        in.Skip(pixelOffset - in.Position(), "gap before the pixel data");
    }
    return ReadPixels(in, layout);
}

}  // namespace

void TBitmap::LoadFromStream(std::istream& stream) {
    StreamSource source(stream);
    TBitmap loaded = ReadFile(source);
    loaded.SetOnProgress(OnProgress());
    *this = std::move(loaded);
}

void TBitmap::LoadFromMemory(std::span<const std::uint8_t> file) {
    MemorySource source(file);
    TBitmap loaded = ReadFile(source);
    loaded.SetOnProgress(OnProgress());
    *this = std::move(loaded);
}

void TBitmap::LoadFromDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits) {
    MemorySource infoSource(info);
    const Layout layout = ReadInfo(infoSource, info.size());
    MemorySource pixelSource(bits);
    TBitmap loaded = ReadPixels(pixelSource, layout);
    loaded.SetOnProgress(OnProgress());
    *this = std::move(loaded);
}

void TBitmap::SaveToStream(std::ostream& stream) const {
    const bool indexed = IsIndexed(FPixelFormat);
    const bool bitfields = FPixelFormat == TPixelFormat::Bit16 && FMasks != kMasks555;
    std::vector<TRgb> palette;
    if (indexed) {
        palette = FPalette;
        if (palette.empty()) {
            // Readers need a colour table for indexed pixels; grey is the neutral reading.
            const std::size_t count = std::size_t{1} << BitsPerPixel();
            for (std::size_t i = 0; i < count; ++i) {
                const auto v = static_cast<std::uint8_t>(i * 255 / (count - 1));
                palette.push_back({v, v, v});
            }
        }
    }
    const std::uint64_t headerBytes =
        kFileHeaderSize + kInfoHeaderSize + (bitfields ? 12 : 0) + 4 * palette.size();
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(FStride) * FHeight;
    const std::uint64_t fileSize = headerBytes + pixelBytes;
    if (fileSize > std::numeric_limits<std::uint32_t>::max()) {
        throw EInvalidGraphic("Bitmap too large for a BMP file");
    }

    std::vector<std::uint8_t> header(static_cast<std::size_t>(headerBytes), 0);
    std::uint8_t* h = header.data();
    h[0] = 'B';
    h[1] = 'M';
    PutU32(h + 2, static_cast<std::uint32_t>(fileSize));
    PutU32(h + 10, static_cast<std::uint32_t>(headerBytes));
    std::uint8_t* info = h + kFileHeaderSize;
    PutU32(info, kInfoHeaderSize);
    PutU32(info + 4, static_cast<std::uint32_t>(FWidth));
    PutU32(info + 8, static_cast<std::uint32_t>(FHeight));
    PutU16(info + 12, 1);
    PutU16(info + 14, static_cast<std::uint32_t>(BitsPerPixel()));
    PutU32(info + 16, bitfields ? kBiBitfields : kBiRgb);
    PutU32(info + 20, static_cast<std::uint32_t>(pixelBytes));
    PutU32(info + 32, static_cast<std::uint32_t>(palette.size()));
    std::uint8_t* after = info + kInfoHeaderSize;
    if (bitfields) {
        PutU32(after, FMasks.red);
        PutU32(after + 4, FMasks.green);
        PutU32(after + 8, FMasks.blue);
        after += 12;
    }
    for (const TRgb& c : palette) {
        after[0] = c.blue;
        after[1] = c.green;
        after[2] = c.red;
        after[3] = 0;
        after += 4;
    }
    stream.write(reinterpret_cast<const char*>(header.data()),
                 static_cast<std::streamsize>(header.size()));
    for (int y = FHeight - 1; y >= 0; --y) {
        stream.write(
            reinterpret_cast<const char*>(FBits.data() + static_cast<std::size_t>(y) * FStride),
            static_cast<std::streamsize>(FStride));
    }
    if (!stream) {
        throw EInvalidGraphic("Cannot write the bitmap to the stream");
    }
}

}  // namespace korvent::graphics
