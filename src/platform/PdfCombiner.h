#pragma once

#include <string>
#include <vector>

namespace korvent::platform {

// What a merge did: the inputs that could not be read (skipped, in list order) and whether the
// merged file was written.
struct CombineResult {
    bool written = false;
    int pages = 0;
    std::vector<std::string> skipped;
};

// Joins PDFs into one: the files named in a list file (one full path per line, CR LF or LF
// line ends, UTF-8 on Linux, the system code page on Windows), pages in list order. The output
// is written under a temporary name in its folder and renamed into place, so a failed call
// never leaves a partial file at `outputPath`. Each source gets one outline entry (its file
// name) pointing at its first page; outlines of the sources are kept beneath it.
class PdfCombiner {
public:
    virtual ~PdfCombiner() = default;
    virtual CombineResult CombinePDFEx(const std::string& listFile,
                                       const std::string& outputPath) = 0;
    // Pages of a PDF, or -1 when it cannot be read as a complete PDF.
    virtual int PageCount(const std::string& path) = 0;
};

}  // namespace korvent::platform
