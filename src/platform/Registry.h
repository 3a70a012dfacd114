#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvent::platform {

// The current user's registry: keys named by a path ("Software\Korvent\KorventPDF"), each
// holding named values of string or binary type. Key paths and value names match
// case-insensitively. A value of the other type reads as absent.
class Registry {
public:
    virtual ~Registry() = default;

    virtual std::optional<std::string> ReadString(const std::string& key,
                                                  const std::string& name) = 0;
    virtual bool WriteString(const std::string& key, const std::string& name,
                             const std::string& value) = 0;
    virtual std::optional<std::vector<std::uint8_t>> ReadBinary(const std::string& key,
                                                                const std::string& name) = 0;
    virtual bool WriteBinary(const std::string& key, const std::string& name,
                             const std::vector<std::uint8_t>& value) = 0;
    virtual bool DeleteValue(const std::string& key, const std::string& name) = 0;
};

}  // namespace korvent::platform
