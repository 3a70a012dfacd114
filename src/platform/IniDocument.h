#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvent::platform {

// The lines of one INI file and the edits the profile functions make to them. Lines that are
// not touched by an edit are kept byte for byte.
class IniDocument {
public:
    IniDocument() = default;
    // `utf8` is the whole file; its line ending style (CR LF or LF) is kept for new lines.
    static IniDocument Parse(std::string_view utf8);
    std::string Serialize() const;

    std::optional<std::string> Read(std::string_view section, std::string_view ident) const;
    // Returns false when the document already held exactly this value.
    bool Write(std::string_view section, std::string_view ident, std::string_view value);
    // Returns false when there was nothing to delete.
    bool Delete(std::string_view section, std::string_view ident);

private:
    struct Span {
        size_t header;  // index of the "[section]" line
        size_t end;     // one past the section's last line
    };
    std::optional<Span> FindSection(std::string_view section) const;
    std::optional<size_t> FindIdent(const Span& span, std::string_view ident) const;

    std::vector<std::string> fLines;
    std::string fNewline = "\n";
    bool fEndsWithNewline = true;
};

// ASCII case-insensitive equality, the matching rule of sections and idents.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace korvent::platform
