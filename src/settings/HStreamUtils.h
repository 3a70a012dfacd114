#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvent::settings {

// Bytes as lines of upper-case hexadecimal, two digits a byte, `lineLength` characters a line
// (the last line shorter).
std::vector<std::string> BytesToHexLines(std::string_view bytes, size_t lineLength);
// Appends the bytes of one hexadecimal line: each pair is a byte, an unparsable pair gives 0
// and an odd last digit is read alone.
void AppendHexLine(std::string_view line, std::string& bytes);

}  // namespace korvent::settings
