#include "platform/DeviceMode.h"

#include <algorithm>
#include <cstdlib>

namespace korvent::platform {

namespace {

constexpr std::size_t kFieldsOffset = 40;

struct KnownPaper {
    std::int16_t code;
    int width;   // hundredths of a millimetre
    int length;  // hundredths of a millimetre
};

constexpr KnownPaper kPapers[] = {
    {DeviceMode::kPaperLetter, 21590, 27940}, {DeviceMode::kPaperLedger, 27940, 43180},
    {DeviceMode::kPaperLegal, 21590, 35560},  {DeviceMode::kPaperA3, 29700, 42000},
    {DeviceMode::kPaperA4, 21000, 29700},     {DeviceMode::kPaperA5, 14800, 21000},
    {DeviceMode::kPaperB4, 25700, 36400},     {DeviceMode::kPaperB5, 18200, 25700},
};

// Length of the longest prefix of `text` that fits `limit` bytes without splitting a UTF-8
// sequence.
std::size_t Utf8PrefixLength(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return text.size();
    }
    std::size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) {
        --n;
    }
    return n;
}

}  // namespace

DeviceMode::DeviceMode(const std::string& device) : fBytes(kSize, 0) {
    SetDeviceName(device);
    SetU16(32, kSpecVersion);
    SetU16(34, kDriverVersion);
    SetU16(36, static_cast<std::uint16_t>(kSize));
    SetU16(38, 0);
    SetFieldsValue(kFieldOrientation | kFieldPaperSize | kFieldPaperLength | kFieldPaperWidth |
                   kFieldScale | kFieldCopies | kFieldPrintQuality | kFieldColor | kFieldDuplex |
                   kFieldYResolution);
    SetOrientation(kPortrait);
    SetPaperSize(kPaperA4);
    SetPaperLength(2970);
    SetPaperWidth(2100);
    SetScale(100);
    SetCopies(1);
    SetColor(kColor);
    SetDuplex(kSimplex);
    SetPrintQuality(300);
    SetYResolution(300);
}

std::string DeviceMode::DeviceName() const {
    auto begin = fBytes.begin();
    auto end = std::find(begin, begin + kNameLength, std::uint8_t{0});
    return std::string(begin, end);
}

void DeviceMode::SetDeviceName(const std::string& name) {
    std::fill_n(fBytes.begin(), kNameLength, std::uint8_t{0});
    std::size_t n = Utf8PrefixLength(name, kNameLength - 1);
    std::copy_n(name.begin(), n, fBytes.begin());
}

std::uint32_t DeviceMode::Fields() const {
    return static_cast<std::uint32_t>(U16(kFieldsOffset)) |
           (static_cast<std::uint32_t>(U16(kFieldsOffset + 2)) << 16);
}

void DeviceMode::SetFieldsValue(std::uint32_t v) {
    SetU16(kFieldsOffset, static_cast<std::uint16_t>(v & 0xFFFF));
    SetU16(kFieldsOffset + 2, static_cast<std::uint16_t>(v >> 16));
}

std::uint16_t DeviceMode::U16(std::size_t offset) const {
    return static_cast<std::uint16_t>(fBytes[offset] | (fBytes[offset + 1] << 8));
}

void DeviceMode::SetU16(std::size_t offset, std::uint16_t v) {
    fBytes[offset] = static_cast<std::uint8_t>(v & 0xFF);
    fBytes[offset + 1] = static_cast<std::uint8_t>(v >> 8);
}

void DeviceMode::Overlay(std::span<const std::uint8_t> stored) {
    std::size_t n = std::min(stored.size(), fBytes.size());
    std::copy_n(stored.begin(), n, fBytes.begin());
}

void DeviceMode::Validate(const DeviceMode& defaults) {
    // The name and header describe this block, not the one it was copied from (a block
    // recorded elsewhere names another printer and a longer record).
    std::uint32_t fields = defaults.Fields();
    SetDeviceName(defaults.DeviceName());
    SetU16(32, kSpecVersion);
    SetU16(34, kDriverVersion);
    SetU16(36, static_cast<std::uint16_t>(kSize));
    SetU16(38, 0);
    SetFieldsValue(fields);

    if (Orientation() != kPortrait && Orientation() != kLandscape) {
        SetOrientation(defaults.Orientation());
    }
    if (PaperSize() == kPaperUser) {
        if (PaperWidth() <= 0 || PaperLength() <= 0) {
            SetPaperSize(defaults.PaperSize());
            SetPaperWidth(defaults.PaperWidth());
            SetPaperLength(defaults.PaperLength());
        }
    } else if (IsKnownPaperCode(PaperSize())) {
        // The code decides the size; a stale size beside it is corrected.
        for (const KnownPaper& p : kPapers) {
            if (p.code == PaperSize()) {
                SetPaperWidth(static_cast<std::int16_t>(p.width / 10));
                SetPaperLength(static_cast<std::int16_t>(p.length / 10));
            }
        }
    } else {
        SetPaperSize(defaults.PaperSize());
        SetPaperWidth(defaults.PaperWidth());
        SetPaperLength(defaults.PaperLength());
    }
    if (Scale() < 1 || Scale() > 400) {
        SetScale(defaults.Scale());
    }
    if (Copies() < 1 || Copies() > 9999) {
        SetCopies(defaults.Copies());
    }
    if (Color() != kMonochrome && Color() != kColor) {
        SetColor(defaults.Color());
    }
    if (Duplex() < kSimplex || Duplex() > kDuplexShortEdge) {
        SetDuplex(defaults.Duplex());
    }
    if (PrintQuality() <= 0) {
        SetPrintQuality(defaults.PrintQuality());
    }
    if (YResolution() <= 0) {
        SetYResolution(defaults.YResolution());
    }
}

std::int16_t DeviceMode::PaperCodeForSize(int width, int length) {
    for (const KnownPaper& p : kPapers) {
        if (std::abs(p.width - width) <= 100 && std::abs(p.length - length) <= 100) {
            return p.code;
        }
    }
    return kPaperUser;
}

bool DeviceMode::IsKnownPaperCode(std::int16_t code) {
    return std::any_of(std::begin(kPapers), std::end(kPapers),
                       [code](const KnownPaper& p) { return p.code == code; });
}

}  // namespace korvent::platform
