#pragma once

#include <string>

namespace korvent::printer {

// The device data that the main window's printer selectors carry from the form: a settings
// record of 864 bytes taken from the printer "PrimoPDF" (A4 portrait, one copy, automatic bin,
// colour, simplex) at the given resolution in dots per inch, as stored hexadecimal text.
constexpr int kRecordedDevDataSize = 864;
std::string RecordedDevDataText(int resolution);

}  // namespace korvent::printer
