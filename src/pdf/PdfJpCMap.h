#pragma once

#include "pdf/PdfFontTables.h"

#include <span>
#include <string_view>

namespace korvent::pdf {

// Character code at a byte position of CP932 text: the byte itself, lead × 256 + trail for a
// double-byte character, -1 at a trail byte.
int CharCodeAt(std::string_view text, int position);
// The CID of a code in a CMap's ranges; 0 when no range holds it.
int CodeToCID(std::span<const tables::TCMapRange> ranges, int code);

}  // namespace korvent::pdf
