#include "platform/sim/MemoryProfileStore.h"

namespace korvent::platform {

std::optional<std::string> MemoryProfileStore::Lookup(const std::string& file,
                                                      const std::string& section,
                                                      const std::string& ident) {
    const auto it = fFiles.find(file);
    return it == fFiles.end() ? std::nullopt : it->second.Read(section, ident);
}

bool MemoryProfileStore::WriteString(const std::string& file, const std::string& section,
                                     const std::string& ident, const std::string& value) {
    if (fReadOnly.contains(file)) {
        return false;
    }
    ++fWrites;
    fFiles[file].Write(section, ident, value);
    return true;
}

bool MemoryProfileStore::DeleteIdent(const std::string& file, const std::string& section,
                                     const std::string& ident) {
    const auto it = fFiles.find(file);
    if (it == fFiles.end()) {
        return true;
    }
    if (fReadOnly.contains(file)) {
        return false;
    }
    ++fWrites;
    it->second.Delete(section, ident);
    return true;
}

void MemoryProfileStore::SetReadOnly(const std::string& file, bool readOnly) {
    if (readOnly) {
        fReadOnly.insert(file);
    } else {
        fReadOnly.erase(file);
    }
}

std::string MemoryProfileStore::Text(const std::string& file) const {
    const auto it = fFiles.find(file);
    return it == fFiles.end() ? std::string() : it->second.Serialize();
}

void MemoryProfileStore::SetText(const std::string& file, const std::string& utf8) {
    fFiles[file] = IniDocument::Parse(utf8);
}

}  // namespace korvent::platform
