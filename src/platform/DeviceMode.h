#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korvent::platform {

// The device settings of one printer as a fixed block of bytes, so that a stored block can be
// laid over a printer's defaults byte for byte. The fields sit at the offsets of the public part
// of the Windows device-mode record (little-endian), which lets a block recorded on Windows
// carry its paper, orientation, copies, colour, duplex and resolution over to this system;
// everything after the public part is left out.
class DeviceMode {
public:
    static constexpr std::size_t kSize = 148;
    static constexpr std::size_t kNameLength = 32;
    static constexpr std::uint16_t kSpecVersion = 0x0401;
    static constexpr std::uint16_t kDriverVersion = 0x0100;

    // Field bits, set for the fields this system fills in.
    static constexpr std::uint32_t kFieldOrientation = 0x00000001;
    static constexpr std::uint32_t kFieldPaperSize = 0x00000002;
    static constexpr std::uint32_t kFieldPaperLength = 0x00000004;
    static constexpr std::uint32_t kFieldPaperWidth = 0x00000008;
    static constexpr std::uint32_t kFieldScale = 0x00000010;
    static constexpr std::uint32_t kFieldCopies = 0x00000100;
    static constexpr std::uint32_t kFieldPrintQuality = 0x00000400;
    static constexpr std::uint32_t kFieldColor = 0x00000800;
    static constexpr std::uint32_t kFieldDuplex = 0x00001000;
    static constexpr std::uint32_t kFieldYResolution = 0x00002000;

    static constexpr std::int16_t kPortrait = 1;
    static constexpr std::int16_t kLandscape = 2;
    static constexpr std::int16_t kMonochrome = 1;
    static constexpr std::int16_t kColor = 2;
    static constexpr std::int16_t kSimplex = 1;
    static constexpr std::int16_t kDuplexLongEdge = 2;
    static constexpr std::int16_t kDuplexShortEdge = 3;
    // Paper codes of the sizes this system names; others are kPaperUser with their size given.
    static constexpr std::int16_t kPaperLetter = 1;
    static constexpr std::int16_t kPaperLedger = 4;
    static constexpr std::int16_t kPaperLegal = 5;
    static constexpr std::int16_t kPaperA3 = 8;
    static constexpr std::int16_t kPaperA4 = 9;
    static constexpr std::int16_t kPaperA5 = 11;
    static constexpr std::int16_t kPaperB4 = 12;  // JIS B4
    static constexpr std::int16_t kPaperB5 = 13;  // JIS B5
    static constexpr std::int16_t kPaperUser = 256;

    // A block of kSize zero bytes with the header fields filled in and `device` as its name.
    explicit DeviceMode(const std::string& device = {});

    std::span<std::uint8_t> Bytes() { return fBytes; }
    std::span<const std::uint8_t> Bytes() const { return fBytes; }
    std::size_t Size() const { return fBytes.size(); }

    // The name field: UTF-8, at most kNameLength - 1 bytes, cut at a character boundary.
    std::string DeviceName() const;
    void SetDeviceName(const std::string& name);

    std::uint16_t SpecVersion() const { return U16(32); }
    std::uint16_t DriverVersion() const { return U16(34); }
    std::uint16_t RecordSize() const { return U16(36); }
    std::uint16_t DriverExtra() const { return U16(38); }
    std::uint32_t Fields() const;
    std::int16_t Orientation() const { return I16(44); }
    std::int16_t PaperSize() const { return I16(46); }
    std::int16_t PaperLength() const { return I16(48); }  // tenths of a millimetre
    std::int16_t PaperWidth() const { return I16(50); }   // tenths of a millimetre
    std::int16_t Scale() const { return I16(52); }
    std::int16_t Copies() const { return I16(54); }
    std::int16_t DefaultSource() const { return I16(56); }
    std::int16_t PrintQuality() const { return I16(58); }  // dots per inch
    std::int16_t Color() const { return I16(60); }
    std::int16_t Duplex() const { return I16(62); }
    std::int16_t YResolution() const { return I16(64); }

    void SetOrientation(std::int16_t v) { SetI16(44, v); }
    void SetPaperSize(std::int16_t v) { SetI16(46, v); }
    void SetPaperLength(std::int16_t v) { SetI16(48, v); }
    void SetPaperWidth(std::int16_t v) { SetI16(50, v); }
    void SetScale(std::int16_t v) { SetI16(52, v); }
    void SetCopies(std::int16_t v) { SetI16(54, v); }
    void SetDefaultSource(std::int16_t v) { SetI16(56, v); }
    void SetPrintQuality(std::int16_t v) { SetI16(58, v); }
    void SetColor(std::int16_t v) { SetI16(60, v); }
    void SetDuplex(std::int16_t v) { SetI16(62, v); }
    void SetYResolution(std::int16_t v) { SetI16(64, v); }

    // Copies the first bytes of `stored` over the start of the block (at most Size() bytes), as
    // a stored block is laid over a printer's defaults.
    void Overlay(std::span<const std::uint8_t> stored);

    // What a driver does with a block handed to it: the header and name are made this
    // system's again, and every field that holds no valid value takes the value of `defaults`
    // (the printer's own settings).
    void Validate(const DeviceMode& defaults);

    // The paper code of a size given in hundredths of a millimetre (a tolerance of 1 mm), or
    // kPaperUser when the size has no code here.
    static std::int16_t PaperCodeForSize(int widthHundredthsMm, int lengthHundredthsMm);
    // True for the codes above other than kPaperUser.
    static bool IsKnownPaperCode(std::int16_t code);

    bool operator==(const DeviceMode& other) const = default;

private:
    std::uint16_t U16(std::size_t offset) const;
    std::int16_t I16(std::size_t offset) const { return static_cast<std::int16_t>(U16(offset)); }
    void SetU16(std::size_t offset, std::uint16_t v);
    void SetI16(std::size_t offset, std::int16_t v) {
        SetU16(offset, static_cast<std::uint16_t>(v));
    }
    void SetFieldsValue(std::uint32_t v);

    std::vector<std::uint8_t> fBytes;
};

}  // namespace korvent::platform
