#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/IniDocument.h"
#include "platform/ProfileStore.h"

namespace korvent::platform {

// Profile files held in memory, for tests. A file can be made read-only to simulate a
// refused write; Text() shows a file as it would be on disk.
class MemoryProfileStore final : public ProfileStore {
public:
    std::optional<std::string> Lookup(const std::string& file, const std::string& section,
                                      const std::string& ident) override;
    bool WriteString(const std::string& file, const std::string& section, const std::string& ident,
                     const std::string& value) override;
    bool DeleteIdent(const std::string& file, const std::string& section,
                     const std::string& ident) override;

    void SetReadOnly(const std::string& file, bool readOnly);
    bool Exists(const std::string& file) const { return fFiles.contains(file); }
    std::string Text(const std::string& file) const;
    void SetText(const std::string& file, const std::string& utf8);
    int WriteCount() const { return fWrites; }

private:
    std::map<std::string, IniDocument> fFiles;
    std::set<std::string> fReadOnly;
    int fWrites = 0;
};

}  // namespace korvent::platform
