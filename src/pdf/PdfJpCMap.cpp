#include "pdf/PdfJpCMap.h"

#include "pdf/PdfFormat.h"

namespace korvent::pdf {

int CharCodeAt(std::string_view text, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= text.size()) {
        return -1;
    }
    // Walk from the start: only that tells a trail byte from a lead byte of the same value.
    std::size_t i = 0;
    const auto pos = static_cast<std::size_t>(position);
    while (i < pos) {
        i += (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
    if (i > pos) {
        return -1;
    }
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (IsLeadByte(lead) && pos + 1 < text.size()) {
        return lead * 256 + static_cast<unsigned char>(text[pos + 1]);
    }
    return lead;
}

int CodeToCID(std::span<const tables::TCMapRange> ranges, int code) {
    for (const tables::TCMapRange& range : ranges) {
        if (code >= range.first && code <= range.last) {
            return range.cid + (code - range.first);
        }
    }
    return 0;
}

}  // namespace korvent::pdf
