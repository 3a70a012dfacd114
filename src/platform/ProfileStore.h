#pragma once

#include <optional>
#include <string>

namespace korvent::platform {

// Profile (INI) files with the behaviour of the Windows profile functions: sections and idents
// are matched case-insensitively, a new ident is appended at the end of its section, a new
// section at the end of the file, the file is created by its first write, and everything else
// in the file (comments, order, unknown lines) is kept.
class ProfileStore {
public:
    static constexpr size_t kMaxReadLength = 2047;

    virtual ~ProfileStore() = default;

    // The stored value, or `def` when the file, section or ident is absent; at most
    // kMaxReadLength characters, like a read into a 2048-character buffer.
    std::string ReadString(const std::string& file, const std::string& section,
                           const std::string& ident, const std::string& def);

    // The whole stored value, or nothing when absent.
    virtual std::optional<std::string> Lookup(const std::string& file, const std::string& section,
                                              const std::string& ident) = 0;
    // False when the file cannot be written; the previous file is then left as it was.
    virtual bool WriteString(const std::string& file, const std::string& section,
                             const std::string& ident, const std::string& value) = 0;
    // Removes the ident's line. Deleting what is not there succeeds and writes nothing.
    virtual bool DeleteIdent(const std::string& file, const std::string& section,
                             const std::string& ident) = 0;
};

}  // namespace korvent::platform
