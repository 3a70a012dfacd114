#pragma once

#include "platform/Registry.h"

namespace korvent::platform {

// The current user's registry (HKEY_CURRENT_USER). Each call opens the key it needs and closes
// it again; a key that a write needs is created.
class UserRegistry final : public Registry {
public:
    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override;
    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override;
    std::optional<std::vector<std::uint8_t>> ReadBinary(const std::string& key,
                                                        const std::string& name) override;
    bool WriteBinary(const std::string& key, const std::string& name,
                     const std::vector<std::uint8_t>& value) override;
    bool DeleteValue(const std::string& key, const std::string& name) override;
};

}  // namespace korvent::platform
