#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pdf/RunProgram.h"
#include "platform/ScratchFolder.h"

namespace korvent::cli {
namespace {

namespace fs = std::filesystem;
using korvent::testing::ProgramResult;
using korvent::testing::RunProgram;

constexpr const char* kWriter = "LibreOffice PDF";

// A one-page PDF with a correct cross-reference table.
std::string OnePagePdf() {
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>"};
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 4\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        const std::string digits = std::to_string(offset);
        pdf += std::string(10 - digits.size(), '0') + digits + " 00000 n \n";
    }
    return pdf + "trailer\n<< /Size 4 /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) +
           "\n%%EOF\n";
}

class KorventPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The trash, the desktop and the registry of the run stay inside the scratch folder.
        fs::create_directories(dir.Path() / "home/Desktop");
        setenv("HOME", (dir / "home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir / "home/.config").c_str(), 1);
        setenv("XDG_DATA_HOME", (dir / "home/.local/share").c_str(), 1);
        // Merged files are named "Joined.pdf"; a taken name gets "_new".
        ini = dir.Write("settings.ini",
                        "[OutPut]\nDir=\nMode=0\n[OverWrite]\nMode=2\n[AppendString]\nNew=_new\n"
                        "[Merge]\nMode=0\nFileName=Joined\n[Option]\nMessage=0\n");
        a = dir.Write("a.pdf", OnePagePdf());
        b = dir.Write("b.pdf", OnePagePdf());
    }

    ProgramResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {KORVENT_CLI_PROGRAM, "--ini", ini});
        return RunProgram(args);
    }

    static int Pages(const std::string& pdf) {
        const ProgramResult r = RunProgram({"qpdf", "--show-npages", pdf});
        return r.exitCode == 0 ? std::stoi(r.output) : -1;
    }

    platform::ScratchFolder dir;
    std::string ini, a, b;
    std::string out = dir / "out";
};

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
};

class UsageErrorTest : public KorventPdfTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageErrorTest, ExitsWithTwoAndOneLine) {
    std::vector<std::string> args = GetParam().args;
    for (std::string& arg : args) {
        arg = arg == "A" ? a : arg;
    }
    const ProgramResult r = Run(args);
    EXPECT_EQ(r.exitCode, 2) << r.output;
    EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
    EXPECT_NE(r.output.find("korventpdf: "), std::string::npos) << r.output;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageErrorTest,
    ::testing::Values(UsageCase{"unknown_option", {"--bogus", "A"}},
                      UsageCase{"no_files", {"--merge"}},
                      UsageCase{"value_missing", {"A", "--out"}},
                      UsageCase{"quality_zero", {"--quality", "0", "A"}},
                      UsageCase{"quality_text", {"--quality", "high", "A"}},
                      UsageCase{"margins_too_large", {"--margins", "101", "A"}},
                      UsageCase{"unknown_paper", {"--paper", "A5", "A"}},
                      UsageCase{"unknown_writer", {"--writer", "No Such Writer", "A"}},
                      UsageCase{"missing_settings", {"--ini", "/nonexistent/k.ini", "A"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KorventPdfTest, SingleRunMakesOnePdfPerDocument) {
    const std::string doc = dir.Write("report.txt", "a line of text\n");
    const ProgramResult r = Run({"--writer", kWriter, "--out", out, doc});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Pages(out + "/report.pdf"), 1);
    EXPECT_NE(r.output.find(out + "/report.pdf"), std::string::npos) << r.output;
}

TEST_F(KorventPdfTest, MergeJoinsThePdfsAndKeepsTheInputs) {
    const ProgramResult r = Run({"--merge", "--writer", kWriter, "--out", out, a, b});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Pages(out + "/Joined.pdf"), 2);
    EXPECT_TRUE(fs::exists(a) && fs::exists(b));
    EXPECT_EQ(RunProgram({"qpdf", "--check", out + "/Joined.pdf"}).exitCode, 0);
}

TEST_F(KorventPdfTest, DryRunCreatesNothingAndNamesWhatTheRunMakes) {
    fs::create_directory(out);
    dir.Write("out/Joined.pdf", OnePagePdf());  // taken: the policy adds "_new"
    const std::vector<std::string> args = {"--merge", "--writer", kWriter, "--out", out, a, b};
    std::vector<std::string> dry = args;
    dry.insert(dry.begin(), "--dry-run");
    const ProgramResult planned = Run(dry);
    ASSERT_EQ(planned.exitCode, 0) << planned.output;
    EXPECT_NE(planned.output.find(out + "/Joined_new.pdf\n"), std::string::npos) << planned.output;
    EXPECT_FALSE(fs::exists(out + "/Joined_new.pdf"));
    EXPECT_EQ(Run({"--dry-run", "--out", dir / "absent", a}).exitCode, 0);
    EXPECT_FALSE(fs::exists(dir / "absent"));

    ASSERT_EQ(Run(args).exitCode, 0);
    EXPECT_EQ(Pages(out + "/Joined_new.pdf"), 2);
}

TEST_F(KorventPdfTest, JsonLinesParse) {
    const ProgramResult r = Run({"--json", "--merge", "--writer", kWriter, "--out", out, a, b});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::string json;
    std::istringstream lines(r.output);
    for (std::string line; std::getline(lines, line);) {
        json += line.starts_with("{") ? line + "\n" : "";
    }
    const std::string file = dir.Write("out.jsonl", json);
    const ProgramResult parsed =
        RunProgram({"python3", "-c",
                    "import json,sys\n"
                    "rows=[json.loads(l) for l in open(sys.argv[1])]\n"
                    "assert rows[0]['merged'].endswith('/Joined.pdf'), rows\n"
                    "assert rows[-1]['summary']['failed']==[], rows",
                    file});
    EXPECT_EQ(parsed.exitCode, 0) << parsed.output << json;
}

TEST_F(KorventPdfTest, MissingFileIsNamedAndTheRestConverted) {
    const ProgramResult r =
        Run({"--merge", "--writer", kWriter, "--out", out, a, dir / "gone.pdf", b});
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("failed: " + dir / "gone.pdf"), std::string::npos) << r.output;
    EXPECT_EQ(Pages(out + "/Joined.pdf"), 2);
}

TEST_F(KorventPdfTest, UnwritableOutputFolderFailsClearlyAndWritesNothing) {
    // The folder cannot be made: its parent is a file (this holds for root too).
    const std::string blocked = dir.Write("blocker", "") + "/out";
    const ProgramResult r = Run({"--merge", "--writer", kWriter, "--out", blocked, a, b});
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("を作成できません"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("no merged file was written"), std::string::npos) << r.output;
    int pdfs = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path())) {
        pdfs += entry.path().extension() == ".pdf" ? 1 : 0;
    }
    EXPECT_EQ(pdfs, 2);  // the inputs only
}

}  // namespace
}  // namespace korvent::cli
