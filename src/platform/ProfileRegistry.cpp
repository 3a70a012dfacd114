#include "platform/ProfileRegistry.h"

namespace korvent::platform {
namespace {

constexpr std::string_view kStringPrefix = "sz:";
constexpr std::string_view kBinaryPrefix = "hex:";
constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

ProfileRegistry::ProfileRegistry(ProfileStore& store, std::string file)
    : fStore(store), fFile(std::move(file)) {}

std::optional<std::string> ProfileRegistry::ReadTyped(const std::string& key,
                                                      const std::string& name,
                                                      std::string_view prefix) {
    const auto text = fStore.Lookup(fFile, key, name);
    if (!text || !text->starts_with(prefix)) {
        return std::nullopt;
    }
    return text->substr(prefix.size());
}

std::optional<std::string> ProfileRegistry::ReadString(const std::string& key,
                                                       const std::string& name) {
    return ReadTyped(key, name, kStringPrefix);
}

bool ProfileRegistry::WriteString(const std::string& key, const std::string& name,
                                  const std::string& value) {
    return fStore.WriteString(fFile, key, name, std::string(kStringPrefix) + value);
}

std::optional<std::vector<std::uint8_t>> ProfileRegistry::ReadBinary(const std::string& key,
                                                                     const std::string& name) {
    const auto text = ReadTyped(key, name, kBinaryPrefix);
    if (!text || text->size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    for (size_t i = 0; i < text->size(); i += 2) {
        const int hi = HexValue((*text)[i]);
        const int lo = HexValue((*text)[i + 1]);
        if (hi < 0 || lo < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    return bytes;
}

bool ProfileRegistry::WriteBinary(const std::string& key, const std::string& name,
                                  const std::vector<std::uint8_t>& value) {
    std::string text(kBinaryPrefix);
    for (const std::uint8_t b : value) {
        text += kHexDigits[b >> 4];
        text += kHexDigits[b & 15];
    }
    return fStore.WriteString(fFile, key, name, text);
}

bool ProfileRegistry::DeleteValue(const std::string& key, const std::string& name) {
    return fStore.DeleteIdent(fFile, key, name);
}

}  // namespace korvent::platform
