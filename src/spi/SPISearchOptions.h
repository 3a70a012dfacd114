#pragma once

#include <cstdint>
#include <initializer_list>

namespace korvent::spi {

// Where the plug-in search looks, in this order.
enum TSPISearchOption {
    spsSusieDir,    // the folder named by the plug-in viewer's registry value "Path"
    spsAppDir,      // the program's folder
    spsCurrentDir,  // the process's current folder
    spsSystemDir,   // Linux: the installed plug-in folder <prefix>/lib/KorventPDF/plugins
    spsWindowsDir,  // Linux: none
};

// A set of search options; option o is the bit 1 << o (spsSusieDir 1 ... spsWindowsDir 16).
class TSPISearchOptions {
public:
    constexpr TSPISearchOptions() = default;
    constexpr TSPISearchOptions(std::initializer_list<TSPISearchOption> options) {
        for (const TSPISearchOption option : options) {
            FBits = static_cast<std::uint8_t>(FBits | Bit(option));
        }
    }

    constexpr bool Contains(TSPISearchOption option) const { return (FBits & Bit(option)) != 0; }
    constexpr std::uint8_t Bits() const { return FBits; }
    constexpr friend bool operator==(TSPISearchOptions, TSPISearchOptions) = default;

private:
    static constexpr std::uint8_t Bit(TSPISearchOption option) {
        return static_cast<std::uint8_t>(1u << option);
    }

    std::uint8_t FBits = 0;
};

}  // namespace korvent::spi
