#pragma once

#include "platform/PdfCombiner.h"

namespace korvent::platform {

// Joins PDFs with libqpdf. Each source is parsed once and its pages copied into a new document,
// so resources shared between a source's pages are copied once. Inputs that do not open
// (missing, damaged beyond repair, needing a password) or have no page are skipped; with no
// page left nothing is written. Each source's outline entry is its file name and opens its
// first page; the source's own outline sits beneath it, its destinations turned into explicit
// ones on the copied pages. The output keeps the highest PDF version of its sources.
class QpdfCombiner final : public PdfCombiner {
public:
    CombineResult CombinePDFEx(const std::string& listFile, const std::string& outputPath) override;
    // Reads without repairing, so a file that a writer is still writing counts as unreadable.
    int PageCount(const std::string& path) override;
};

}  // namespace korvent::platform
