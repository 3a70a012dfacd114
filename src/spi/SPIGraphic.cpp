#include "spi/SPIGraphic.h"

#include <cstring>

#include "graphics/Bitmap.h"
#include "graphics/InvalidGraphic.h"
#include "graphics/PixelBlock.h"
#include "platform/LocalMemory.h"
#include "spi/InSPIAbleFromFile.h"
#include "spi/InSPIAbleFromStream.h"
#include "spi/susie_api.h"

namespace korvent::spi {
namespace {

constexpr const char* kCouldNotDecode = "Susie Plugins could not decode";

// Depths whose uncompressed rows the bitmap stores as they are.
bool IsPlainDepth(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}
constexpr std::size_t kFileHeaderSize = 14;

std::unique_ptr<graphics::TGraphic> CreateGraphic() {
    return std::make_unique<TSPIGraphic>();
}

constexpr graphics::TGraphicClass kClass{"TSPIGraphic", &CreateGraphic};

void Put32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace

const graphics::TGraphicClass& TSPIGraphic::Class() {
    return kClass;
}

TSPIGraphic::TSPIGraphic() = default;
TSPIGraphic::~TSPIGraphic() = default;

bool TSPIGraphic::Empty() const {
    return !FSource || !FSource->HasPicture();
}

void TSPIGraphic::LoadFromFile(const std::filesystem::path& fileName) {
    ReleaseData();
    FSource = std::make_unique<TInSPIAbleFromFile>(*this, fileName.string());
    Decode();
}

void TSPIGraphic::LoadFromStream(std::istream& stream) {
    LoadFromStreamWithName(stream, "");
}

void TSPIGraphic::LoadFromStreamWithName(std::istream& Stream, const std::string& FileName) {
    ReleaseData();
    FSource = std::make_unique<TInSPIAbleFromStream>(*this, Stream, FileName);
    Decode();
}

void TSPIGraphic::Decode() {
    try {
        FSource->OnProgress = OnProgress();
        FSource->Load();
        if (Empty()) {
            throw graphics::EInvalidGraphic(kCouldNotDecode);
        }
        UpdateInfo();
    } catch (...) {
        ReleaseData();
        throw;
    }
}

void TSPIGraphic::ReleaseData() {
    FSource.reset();
    UpdateInfo();
}

void TSPIGraphic::UpdateInfo() {
    FWidth = FHeight = 0;
    FPalette.clear();
    FHeaderSize = FPixelDataSize = 0;
    FFourBit = false;
    if (Empty()) {
        return;
    }
    // The source checked that the blocks hold what this header describes.
    SPI_BITMAPINFOHEADER h{};
    std::memcpy(&h, FSource->BitmapInfo(), sizeof h);
    std::size_t colors = h.biClrUsed;
    if (colors == 0) {
        colors = h.biBitCount == 1 ? 2 : h.biBitCount == 4 ? 16 : h.biBitCount == 8 ? 256 : 0;
    }
    FWidth = h.biWidth;
    FHeight = h.biHeight;
    FFourBit = h.biBitCount == 4;
    // The header's own size (not always 40) and the colour masks of a bit-fields bitmap belong
    // to the bitmap info as much as the colour table does.
    const std::size_t masks = h.biCompression == 3 ? 12 : 0;
    FHeaderSize = h.biSize + masks + 4 * colors;
    const std::size_t rows = static_cast<std::size_t>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    FPixelDataSize = ((static_cast<std::size_t>(h.biBitCount) * h.biWidth + 31) / 32) * 4 * rows;
    const std::uint8_t* table = FSource->BitmapInfo() + h.biSize + masks;
    for (std::size_t i = 0; i < colors; ++i) {
        FPalette.push_back({table[4 * i + 2], table[4 * i + 1], table[4 * i]});
    }
}

std::vector<std::uint8_t> TSPIGraphic::BmpFile() const {
    std::vector<std::uint8_t> file(kFileHeaderSize + FHeaderSize + FPixelDataSize);
    file[0] = 'B';
    file[1] = 'M';
    Put32(&file[2], static_cast<std::uint32_t>(file.size()));
    Put32(&file[10], static_cast<std::uint32_t>(kFileHeaderSize + FHeaderSize));
    if (!Empty()) {
        std::memcpy(&file[kFileHeaderSize], FSource->BitmapInfo(), FHeaderSize);
        std::memcpy(&file[kFileHeaderSize + FHeaderSize], FSource->Pixels(), FPixelDataSize);
    }
    return file;
}

void TSPIGraphic::SaveToStream(std::ostream& stream) const {
    const std::vector<std::uint8_t> file = BmpFile();
    stream.write(reinterpret_cast<const char*>(file.data()),
                 static_cast<std::streamsize>(file.size()));
}

std::unique_ptr<graphics::TBitmap> TSPIGraphic::BuildBitmap() const {
    if (Empty()) {
        throw graphics::EInvalidGraphic(kCouldNotDecode);
    }
    SPI_BITMAPINFOHEADER h{};
    std::memcpy(&h, FSource->BitmapInfo(), sizeof h);
    const int bits = h.biBitCount;
    if (h.biCompression == 0 && !IsPlainDepth(bits)) {
        throw graphics::EInvalidGraphic(kCouldNotDecode);
    }
    if (h.biCompression != 0) {
        // Bit-field layouts: the bitmap reader knows them.
        auto bitmap = std::make_unique<graphics::TBitmap>();
        bitmap->LoadFromMemory(BmpFile());
        return bitmap;
    }
    // Rows are copied once, straight from the plug-in's block: the bitmap's rows are padded
    // to four bytes exactly as a DIB's are.
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    auto bitmap = std::make_unique<graphics::TBitmap>(h.biWidth, height,
                                                      static_cast<graphics::TPixelFormat>(bits));
    const std::size_t stride = FPixelDataSize / static_cast<std::size_t>(height);
    if (bitmap->Stride() != stride) {
        throw graphics::EInvalidGraphic(kCouldNotDecode);
    }
    for (int y = 0; y < height; ++y) {
        const int row = h.biHeight < 0 ? y : height - 1 - y;
        std::memcpy(bitmap->ScanLine(y).data(),
                    FSource->Pixels() + static_cast<std::size_t>(row) * stride, stride);
    }
    if (bits <= 8) {
        bitmap->SetPalette(FPalette);
    }
    return bitmap;
}

std::unique_ptr<graphics::TBitmap> TSPIGraphic::ToBitmap() {
    if (Empty()) {
        throw graphics::EInvalidGraphic(kCouldNotDecode);
    }
    SPI_BITMAPINFOHEADER h{};
    std::memcpy(&h, FSource->BitmapInfo(), sizeof h);
    if (h.biCompression != 0 || !IsPlainDepth(h.biBitCount)) {
        std::unique_ptr<graphics::TBitmap> bitmap = BuildBitmap();
        ReleaseData();
        return bitmap;
    }
    // The plug-in's rows are laid out as the bitmap's: they become its rows, never copied.
    auto bitmap = std::make_unique<graphics::TBitmap>();
    const std::vector<graphics::TRgb> palette = FPalette;
    graphics::TPixelBlock rows(FSource->TakePixels(), FPixelDataSize, &platform::LocalFree);
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    ReleaseData();
    bitmap->AdoptPixels(h.biWidth, height, static_cast<graphics::TPixelFormat>(h.biBitCount),
                        std::move(rows), h.biHeight > 0);
    if (h.biBitCount <= 8) {
        bitmap->SetPalette(palette);
    }
    return bitmap;
}

std::unique_ptr<graphics::TBitmap> TSPIGraphic::CopyToBitmap() const {
    return BuildBitmap();
}

}  // namespace korvent::spi
