#pragma once

#include <string>

namespace korvent::settings {

// One named setting: where it is stored and the text returned when nothing is stored.
class TRegItem {
public:
    TRegItem() = default;
    TRegItem(std::string name, std::string section, std::string ident, std::string defaultValue)
        : Name(std::move(name)),
          Section(std::move(section)),
          Ident(std::move(ident)),
          DefaultValue(std::move(defaultValue)) {}
    virtual ~TRegItem() = default;

    void Assign(const TRegItem& source) { *this = source; }

    std::string Name;          // the key callers address the item by
    std::string Section;       // INI section or registry sub-key
    std::string Ident;         // INI ident or registry value name
    std::string DefaultValue;  // may be empty
};

}  // namespace korvent::settings
