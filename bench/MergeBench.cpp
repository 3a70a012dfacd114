// Merges the PDFs of a list file with the program's combiner; timed from outside
// (merge_bench.sh) so that it compares with other tools on equal terms.
#include <cstdio>

#include "platform/QpdfCombiner.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s LIST_FILE OUTPUT_PDF\n", argv[0]);
        return 2;
    }
    korvent::platform::QpdfCombiner combiner;
    const korvent::platform::CombineResult result = combiner.CombinePDFEx(argv[1], argv[2]);
    std::printf("%d pages, %zu skipped\n", result.pages, result.skipped.size());
    return result.written ? 0 : 1;
}
