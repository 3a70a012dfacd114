#pragma once

#include "RunProgram.h"
#include "TestPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>

namespace korvent::testing {

// A folder of its own for each test, under the build folder.
inline std::filesystem::path TestFolder(const std::string& name) {
    const auto folder = std::filesystem::path(KORVENT_BINARY_DIR) / "pdf-test-output" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// Why a test that reads its file back with these programs must skip: the first one not on
// PATH; empty when all are there.
inline std::string MissingReader(std::initializer_list<std::string> programs) {
    for (const std::string& program : programs) {
        const char* path = std::getenv("PATH");
        std::istringstream folders(path != nullptr ? path : "");
        std::string folder;
        bool found = false;
        while (!found && std::getline(folders, folder, ':')) {
            found =
                !folder.empty() && std::filesystem::exists(std::filesystem::path(folder) / program);
        }
        if (!found) {
            return program + " is not installed, so the written file cannot be read back";
        }
    }
    return {};
}

// Ghostscript must interpret every page without a complaint (a damaged image or an unknown
// operator is reported but does not fail the run).
inline void ExpectGhostscriptReads(const std::filesystem::path& pdf) {
    const ProgramResult run =
        RunProgram({"gs", "-q", "-dNOPAUSE", "-dBATCH", "-sDEVICE=nullpage", pdf.string()});
    EXPECT_EQ(run.exitCode, 0) << "gs " << pdf << ":\n" << run.output;
    EXPECT_EQ(run.output, "") << "gs " << pdf;
}

// The file must pass the structural check and render to an image.
inline void ExpectValidPdf(const std::filesystem::path& pdf) {
    const ProgramResult check = RunProgram({"qpdf", "--check", pdf.string()});
    EXPECT_EQ(check.exitCode, 0) << "qpdf --check " << pdf << ":\n" << check.output;
    EXPECT_EQ(check.output.find("WARNING"), std::string::npos) << check.output;
    const std::string prefix = (pdf.parent_path() / (pdf.stem().string() + "-page")).string();
    const ProgramResult render =
        RunProgram({"pdftoppm", "-r", "20", "-png", "-singlefile", pdf.string(), prefix});
    EXPECT_EQ(render.exitCode, 0) << "pdftoppm " << pdf << ":\n" << render.output;
    EXPECT_TRUE(std::filesystem::exists(prefix + ".png")) << render.output;
    EXPECT_EQ(render.output.find("Error"), std::string::npos) << render.output;
}

// Writes bytes to a file and checks them as a PDF.
inline void ExpectValidPdfBytes(const std::string& name, const std::string& bytes) {
    const auto path = TestFolder(name) / (name + ".pdf");
    WriteFile(path, bytes);
    ExpectValidPdf(path);
}

}  // namespace korvent::testing
