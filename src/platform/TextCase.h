#pragma once

#include <string>
#include <string_view>

namespace korvent::platform {

// Names (printers, file paths) compared without regard to letter case: ASCII, Latin-1 and
// full-width Latin letters are upper-cased; everything else (kana, kanji) stays as it is.
std::string UpperCaseText(std::string_view name);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace korvent::platform
