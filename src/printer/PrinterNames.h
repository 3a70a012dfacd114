#pragma once

#include <string>
#include <string_view>

namespace korvent::printer {

// Printer names compared without regard to letter case: ASCII, Latin-1 and full-width Latin
// letters are upper-cased; everything else (kana, kanji) stays as it is.
std::string UpperCaseName(std::string_view name);
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace korvent::printer
