#include "platform/IniDocument.h"

#include <algorithm>

namespace korvent::platform {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s) {
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// The section name of a "[name]" line, or nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') {
        return std::nullopt;
    }
    const size_t close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> SplitKeyLine(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

// A value enclosed in matching quotes is read without them, as the profile functions do.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

IniDocument IniDocument::Parse(std::string_view utf8) {
    IniDocument doc;
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF") {
        utf8.remove_prefix(3);
    }
    const size_t firstLf = utf8.find('\n');
    if (firstLf != std::string_view::npos && firstLf > 0 && utf8[firstLf - 1] == '\r') {
        doc.fNewline = "\r\n";
    }
    doc.fEndsWithNewline = utf8.empty() || utf8.back() == '\n';
    size_t start = 0;
    while (start < utf8.size()) {
        size_t lf = utf8.find('\n', start);
        const size_t stop = (lf == std::string_view::npos) ? utf8.size() : lf;
        std::string_view line = utf8.substr(start, stop - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        doc.fLines.emplace_back(line);
        start = stop + 1;
    }
    return doc;
}

std::string IniDocument::Serialize() const {
    std::string out;
    for (size_t i = 0; i < fLines.size(); ++i) {
        out += fLines[i];
        if (i + 1 < fLines.size() || fEndsWithNewline) {
            out += fNewline;
        }
    }
    return out;
}

std::optional<IniDocument::Span> IniDocument::FindSection(std::string_view section) const {
    for (size_t i = 0; i < fLines.size(); ++i) {
        const auto name = SectionName(fLines[i]);
        if (name && EqualsIgnoreCase(*name, section)) {
            size_t end = i + 1;
            while (end < fLines.size() && !SectionName(fLines[end])) {
                ++end;
            }
            return Span{i, end};
        }
    }
    return std::nullopt;
}

std::optional<size_t> IniDocument::FindIdent(const Span& span, std::string_view ident) const {
    for (size_t i = span.header + 1; i < span.end; ++i) {
        const std::string_view line = fLines[i];
        if (Trim(line).starts_with(';')) {
            continue;
        }
        const auto kv = SplitKeyLine(line);
        if (kv && EqualsIgnoreCase(kv->key, Trim(ident))) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Read(std::string_view section,
                                             std::string_view ident) const {
    const auto span = FindSection(section);
    if (!span) {
        return std::nullopt;
    }
    const auto line = FindIdent(*span, ident);
    if (!line) {
        return std::nullopt;
    }
    return std::string(Unquote(SplitKeyLine(fLines[*line])->value));
}

bool IniDocument::Write(std::string_view section, std::string_view ident,
                        std::string_view rawValue) {
    // A line break inside a value would start a new line of the file; it becomes a blank.
    std::string value(rawValue);
    for (char& c : value) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    const auto span = FindSection(section);
    if (!span) {
        fLines.push_back("[" + std::string(Trim(section)) + "]");
        fLines.push_back(std::string(Trim(ident)) + "=" + value);
        fEndsWithNewline = true;
        return true;
    }
    if (const auto line = FindIdent(*span, ident)) {
        // The stored spelling of the ident is kept; only the value changes.
        std::string updated = std::string(SplitKeyLine(fLines[*line])->key) + "=" + value;
        if (updated == fLines[*line]) {
            return false;
        }
        fLines[*line] = std::move(updated);
        return true;
    }
    // After the section's last non-blank line, so blank separators stay between sections.
    size_t insertAt = span->end;
    while (insertAt > span->header + 1 && Trim(fLines[insertAt - 1]).empty()) {
        --insertAt;
    }
    fLines.insert(fLines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  std::string(Trim(ident)) + "=" + value);
    if (insertAt + 1 == fLines.size()) {
        fEndsWithNewline = true;
    }
    return true;
}

bool IniDocument::Delete(std::string_view section, std::string_view ident) {
    const auto span = FindSection(section);
    if (!span) {
        return false;
    }
    const auto line = FindIdent(*span, ident);
    if (!line) {
        return false;
    }
    fLines.erase(fLines.begin() + static_cast<std::ptrdiff_t>(*line));
    return true;
}

}  // namespace korvent::platform
