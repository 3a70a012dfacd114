#include "platform/posix/LibreOfficeBatches.h"

#include <algorithm>

namespace korvent::platform {

namespace fs = std::filesystem;

std::shared_ptr<LibreOfficeBatch> LibreOfficeBatches::Take(const fs::path& document,
                                                           std::size_t& place) {
    if (fCurrent) {
        if (const auto found = fCurrent->Take(document)) {
            place = *found;
            return fCurrent;
        }
    }
    const std::vector<fs::path> documents = BatchFrom(document);
    auto batch = std::make_shared<LibreOfficeBatch>(*fProgram, documents);
    place = *batch->Take(document);
    fCurrent = documents.size() > 1 ? batch : nullptr;
    return batch;
}

std::vector<fs::path> LibreOfficeBatches::BatchFrom(const fs::path& document) const {
    const auto first = std::find(fUpcoming.begin(), fUpcoming.end(), document);
    if (first == fUpcoming.end()) {
        return {document};
    }
    const auto count = std::min<std::ptrdiff_t>(fUpcoming.end() - first, kMaxDocuments);
    return {first, first + count};
}

}  // namespace korvent::platform
