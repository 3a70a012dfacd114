#include "printer/RecordedDevData.h"

#include <cstdint>
#include <vector>

namespace korvent::printer {

std::string RecordedDevDataText(int resolution) {
    std::vector<std::uint8_t> block(kRecordedDevDataSize, 0);
    auto put16 = [&](std::size_t offset, int v) {
        block[offset] = static_cast<std::uint8_t>(v & 0xFF);
        block[offset + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
    };
    const char name[] = "PrimoPDF";
    for (std::size_t i = 0; name[i] != '\0'; ++i) {
        block[i] = static_cast<std::uint8_t>(name[i]);
    }
    put16(32, 0x0400);  // record version
    put16(34, 0x0403);  // driver version
    put16(36, 148);     // public part
    put16(38, 696);     // driver part
    put16(40, 0x3F1F);  // fields: orientation to resolution
    put16(44, 1);       // portrait
    put16(46, 9);       // A4
    put16(48, 2970);
    put16(50, 2099);
    put16(52, 100);  // scale
    put16(54, 1);    // copies
    put16(56, 7);    // automatic bin
    put16(58, resolution);
    put16(60, 2);  // colour
    put16(62, 1);  // simplex
    put16(64, resolution);

    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(block.size() * 2);
    for (std::uint8_t b : block) {
        text += kHex[b >> 4];
        text += kHex[b & 0x0F];
    }
    return text;
}

}  // namespace korvent::printer
