#include "platform/IniProfileStore.h"

#include <fstream>
#include <optional>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/IniDocument.h"
#include "platform/TextCodec.h"

namespace korvent::platform {
namespace {

// The file's text in UTF-8; nothing when the file does not exist or cannot be read.
std::optional<std::string> LoadText(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    return IsValidUtf8(text) ? text : Cp932ToUtf8(text);
}

IniDocument LoadDocument(const std::string& file) {
    const auto text = LoadText(file);
    return text ? IniDocument::Parse(*text) : IniDocument();
}

}  // namespace

std::optional<std::string> IniProfileStore::Lookup(const std::string& file,
                                                   const std::string& section,
                                                   const std::string& ident) {
    const auto text = LoadText(file);
    return text ? IniDocument::Parse(*text).Read(section, ident) : std::nullopt;
}

bool IniProfileStore::WriteString(const std::string& file, const std::string& section,
                                  const std::string& ident, const std::string& value) {
    IniDocument doc = LoadDocument(file);
    doc.Write(section, ident, value);
    return WriteFileAtomically(file, doc.Serialize());
}

bool IniProfileStore::DeleteIdent(const std::string& file, const std::string& section,
                                  const std::string& ident) {
    IniDocument doc = LoadDocument(file);
    if (!doc.Delete(section, ident)) {
        return true;
    }
    return WriteFileAtomically(file, doc.Serialize());
}

}  // namespace korvent::platform
