#pragma once

#include <string>

namespace korvent::cli {

// `text` as a JSON string literal, quotes included. Bytes that are not valid UTF-8 (a Linux
// file name need not be) become U+FFFD, so the output always parses.
std::string JsonText(const std::string& text);

}  // namespace korvent::cli
