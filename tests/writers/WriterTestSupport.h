#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/DocumentWriter.h"

namespace korvent::writers::testing {

// Polls the job until it leaves Running or `limit` has passed.
platform::WriterJobState WaitFor(platform::WriterJob& job,
                                 std::chrono::seconds limit = std::chrono::seconds(120));

void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// The text pdftotext reads from the PDF.
std::string PdfText(const std::filesystem::path& pdf);
// Whether qpdf --check finds the PDF sound.
bool PdfSound(const std::filesystem::path& pdf);
// The page count qpdf reads; -1 when it cannot read the PDF.
int PdfPages(const std::filesystem::path& pdf);
// Whether pdftoppm renders every page (into `folder`).
bool PdfRenders(const std::filesystem::path& pdf, const std::filesystem::path& folder);
// Whether a program of that name is on PATH.
bool Installed(const std::string& program);

// A one-paragraph flat OpenDocument text.
std::string FlatOdt(const std::string& paragraph);

}  // namespace korvent::writers::testing
