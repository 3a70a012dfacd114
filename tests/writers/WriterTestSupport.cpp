#include "writers/WriterTestSupport.h"

#include <fstream>
#include <thread>

#include "pdf/RunProgram.h"

namespace korvent::writers::testing {

platform::WriterJobState WaitFor(platform::WriterJob& job, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    platform::WriterJobState state = job.Poll();
    while (state == platform::WriterJobState::Running &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        state = job.Poll();
    }
    return state;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string PdfText(const std::filesystem::path& pdf) {
    return korvent::testing::RunProgram({"pdftotext", "-enc", "UTF-8", pdf.string(), "-"}).output;
}

bool PdfSound(const std::filesystem::path& pdf) {
    return korvent::testing::RunProgram({"qpdf", "--check", pdf.string()}).exitCode == 0;
}

int PdfPages(const std::filesystem::path& pdf) {
    const auto r = korvent::testing::RunProgram({"qpdf", "--show-npages", pdf.string()});
    return r.exitCode == 0 ? std::stoi(r.output) : -1;
}

bool PdfRenders(const std::filesystem::path& pdf, const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    const std::string prefix = (folder / pdf.stem()).string();
    return korvent::testing::RunProgram({"pdftoppm", "-r", "20", "-png", pdf.string(), prefix})
               .exitCode == 0;
}

bool Installed(const std::string& program) {
    return korvent::testing::RunProgram({"which", program}).exitCode == 0;
}

std::string FlatOdt(const std::string& paragraph) {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2"
 office:mimetype="application/vnd.oasis.opendocument.text">
<office:body><office:text><text:p>)" +
           paragraph + R"(</text:p></office:text></office:body></office:document>
)";
}

}  // namespace korvent::writers::testing
