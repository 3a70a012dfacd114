#pragma once

#include <string>

#include "platform/ProfileStore.h"
#include "platform/Registry.h"

namespace korvent::platform {

// A registry kept in one profile file: the key path is the section, the value name the ident,
// and the value's type a prefix of its text ("sz:" strings, "hex:" binary data). On Linux the
// file is registry.ini in the user's configuration folder; tests use a memory profile store.
class ProfileRegistry final : public Registry {
public:
    ProfileRegistry(ProfileStore& store, std::string file);

    std::optional<std::string> ReadString(const std::string& key, const std::string& name) override;
    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override;
    std::optional<std::vector<std::uint8_t>> ReadBinary(const std::string& key,
                                                        const std::string& name) override;
    bool WriteBinary(const std::string& key, const std::string& name,
                     const std::vector<std::uint8_t>& value) override;
    bool DeleteValue(const std::string& key, const std::string& name) override;

private:
    std::optional<std::string> ReadTyped(const std::string& key, const std::string& name,
                                         std::string_view prefix);

    ProfileStore& fStore;
    std::string fFile;
};

}  // namespace korvent::platform
