#pragma once

#include "platform/ProfileStore.h"

namespace korvent::platform {

// Profile files on disk. Files are written in UTF-8 without a byte-order mark and replaced
// atomically; a file that is not valid UTF-8 was written by the Windows version and is read
// as CP932.
class IniProfileStore final : public ProfileStore {
public:
    std::optional<std::string> Lookup(const std::string& file, const std::string& section,
                                      const std::string& ident) override;
    bool WriteString(const std::string& file, const std::string& section, const std::string& ident,
                     const std::string& value) override;
    bool DeleteIdent(const std::string& file, const std::string& section,
                     const std::string& ident) override;
};

}  // namespace korvent::platform
