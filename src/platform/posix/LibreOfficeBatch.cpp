#include "platform/posix/LibreOfficeBatch.h"

#include <string>

namespace korvent::platform {

namespace fs = std::filesystem;

namespace {

std::string Stem(std::size_t place) {
    return "document" + std::to_string(place);
}

}  // namespace

LibreOfficeBatch::LibreOfficeBatch(LibreOfficeProgram& program,
                                   const std::vector<fs::path>& documents) {
    const fs::path out = fFolder.Path() / "out";
    fs::create_directory(out);
    std::vector<std::string> arguments = {"--convert-to", "pdf", "--outdir", out.string()};
    for (const fs::path& document : documents) {
        const fs::path staged =
            LibreOfficeProgram::StageDocument(document, fFolder.Path(), Stem(fEntries.size()));
        arguments.push_back(staged.string());
        fEntries.push_back({document});
    }
    fSoffice = program.Start(arguments);
}

std::optional<std::size_t> LibreOfficeBatch::Take(const fs::path& document) {
    for (std::size_t place = 0; place < fEntries.size(); ++place) {
        if (!fEntries[place].taken && fEntries[place].document == document) {
            fEntries[place].taken = true;
            return place;
        }
    }
    return std::nullopt;
}

fs::path LibreOfficeBatch::PdfAt(std::size_t place) const {
    return fFolder.Path() / "out" / (Stem(place) + ".pdf");
}

}  // namespace korvent::platform
