#include "settings/HStreamUtils.h"

#include <charconv>

namespace korvent::settings {

std::vector<std::string> BytesToHexLines(std::string_view bytes, size_t lineLength) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::vector<std::string> lines;
    std::string line;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        line += kDigits[b >> 4];
        line += kDigits[b & 15];
        if (line.size() >= lineLength) {
            lines.push_back(std::move(line));
            line.clear();
        }
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

void AppendHexLine(std::string_view line, std::string& bytes) {
    for (size_t i = 0; i < line.size(); i += 2) {
        const std::string_view pair = line.substr(i, 2);
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(pair.data(), pair.data() + pair.size(), value, 16);
        const bool parsed = ec == std::errc() && end == pair.data() + pair.size();
        bytes += static_cast<char>(parsed ? value : 0);
    }
}

}  // namespace korvent::settings
