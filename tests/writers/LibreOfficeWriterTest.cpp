#include "platform/posix/LibreOfficeWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "pdf/RunProgram.h"
#include "platform/posix/WriterFailure.h"
#include "writers/WriterTestSupport.h"

namespace korvent::platform {
namespace {

namespace fs = std::filesystem;
using writers::testing::FlatOdt;
using writers::testing::WaitFor;
using writers::testing::WriteFile;

// Every temporary folder of the writer lands in the suite's own folder (TMPDIR), so the tests
// can see what it leaves behind; one profile serves all cases.
class LibreOfficeWriterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "korvent-sofficetest-XXXXXX").string();
        suiteDir = mkdtemp(pattern.data());
        setenv("TMPDIR", (suiteDir / "tmp").c_str(), 1);
        fs::create_directories(suiteDir / "tmp");
        fs::create_directories(suiteDir / "docs");
        program = std::make_shared<LibreOfficeProgram>();
    }
    static void TearDownTestSuite() {
        program.reset();
        unsetenv("TMPDIR");
        fs::remove_all(suiteDir);
    }
    void SetUp() override {
        if (!writers::testing::Installed("soffice")) {
            GTEST_SKIP() << "LibreOffice (soffice) is not installed";
        }
    }

    static fs::path Doc(const std::string& name) { return suiteDir / "docs" / name; }

    // Names in the writer's temporary folder other than the shared profile.
    static std::vector<std::string> Leftovers() {
        std::vector<std::string> names;
        for (const fs::directory_entry& e : fs::directory_iterator(suiteDir / "tmp")) {
            if (e.path().filename().string().find("profile") == std::string::npos) {
                names.push_back(e.path().filename().string());
            }
        }
        return names;
    }

    // Whether some process still runs with the suite's folder in its command line.
    static bool SofficeStillRuns() {
        for (const fs::directory_entry& e : fs::directory_iterator("/proc")) {
            std::ifstream in(e.path() / "cmdline", std::ios::binary);
            std::ostringstream s;
            s << in.rdbuf();
            if (s.str().find(suiteDir.string()) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    static inline fs::path suiteDir;
    static inline std::shared_ptr<LibreOfficeProgram> program;
    LibreOfficeWriter writer{std::make_shared<LibreOfficeBatches>(program)};
};

struct DocumentCase {
    std::string name;
    std::string content;
    std::string expected;
};

class LibreOfficeDocumentTest : public LibreOfficeWriterTest,
                                public ::testing::WithParamInterface<DocumentCase> {};

// A .docx is made by LibreOffice itself from a flat ODT; the other documents are written here.
const std::string kDocxMarker = "docx";

TEST_P(LibreOfficeDocumentTest, ExportsSearchableJapaneseText) {
    const DocumentCase& c = GetParam();
    fs::path source = Doc(c.name);
    if (c.content == kDocxMarker) {
        const fs::path flat = Doc("docx-source.fodt");
        WriteFile(flat, FlatOdt(c.expected));
        ASSERT_EQ(korvent::testing::RunProgram(
                      {"soffice", "--headless",
                       "-env:UserInstallation=file://" + (suiteDir / "docx-profile").string(),
                       "--convert-to", "docx", "--outdir", Doc("").string(), flat.string()})
                      .exitCode,
                  0);
        fs::rename(Doc("docx-source.docx"), source);
    } else {
        WriteFile(source, c.content);
    }
    int error = -1;
    std::unique_ptr<WriterJob> job = writer.Start(source.string(), error);
    ASSERT_TRUE(job);
    EXPECT_EQ(error, 0);
    ASSERT_EQ(WaitFor(*job), WriterJobState::Completed) << job->FailureText();
    const fs::path pdf = job->OutputFile();
    EXPECT_TRUE(writers::testing::PdfSound(pdf));
    EXPECT_NE(writers::testing::PdfText(pdf).find(c.expected), std::string::npos);
    EXPECT_TRUE(fs::exists(source));
    job.reset();
    EXPECT_FALSE(fs::exists(pdf)) << "the job's temporary output goes with it";
    EXPECT_TRUE(Leftovers().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Documents, LibreOfficeDocumentTest,
    ::testing::Values(
        DocumentCase{"報告書.fodt", FlatOdt("日本語の報告書です"), "日本語の報告書です"},
        // A name that soffice would take for an option.
        DocumentCase{"-メモ 1.txt", "テキストの日本語\nsecond line\n", "テキストの日本語"},
        DocumentCase{"変換.docx", kDocxMarker, "ワード形式の文書"},
        // Not valid UTF-8: the name's bytes are kept as they are.
        DocumentCase{"\x93\xfa\x96\x7b.txt", "cp932 name\n", "cp932 name"}),
    [](const ::testing::TestParamInfo<DocumentCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(LibreOfficeWriterTest, DamagedDocumentFailsAndKeepsTheSource) {
    const fs::path source = Doc("壊れた.docx");
    WriteFile(source, std::string("PK\x03\x04 not really a zip archive", 30));
    int error = -1;
    std::unique_ptr<WriterJob> job = writer.Start(source.string(), error);
    ASSERT_TRUE(job);
    EXPECT_EQ(WaitFor(*job), WriterJobState::Failed);
    EXPECT_EQ(job->FailureText(), writer_failure::kNoPdf);
    EXPECT_TRUE(job->OutputFile().empty());
    EXPECT_TRUE(fs::exists(source));
}

TEST_F(LibreOfficeWriterTest, DroppingARunningJobStopsSofficeAndRemovesItsFolder) {
    const fs::path source = Doc("途中.fodt");
    WriteFile(source, FlatOdt("途中で止める"));
    int error = -1;
    std::unique_ptr<WriterJob> job = writer.Start(source.string(), error);
    ASSERT_TRUE(job);
    ASSERT_EQ(job->Poll(), WriterJobState::Running);
    ASSERT_TRUE(job->RequestProcess()->Running());
    job.reset();
    // Killed processes take a moment to go, longer on a busy machine.
    for (int i = 0; i < 100 && SofficeStillRuns(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_FALSE(SofficeStillRuns());
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(LibreOfficeWriterTest, ExpectedDocumentsShareOneSofficeAndFailAlone) {
    const std::vector<std::pair<std::string, std::string>> docs = {
        {"一.fodt", FlatOdt("一つ目の文書")},
        {"壊れ.docx", "PK\x03\x04 not a zip archive"},
        {"三.txt", "三つ目の文書\n"}};
    std::vector<std::string> paths;
    for (const auto& [name, content] : docs) {
        WriteFile(Doc(name), content);
        paths.push_back(Doc(name).string());
    }
    auto batches = std::make_shared<LibreOfficeBatches>(program);
    batches->Expect({paths.begin(), paths.end()});
    LibreOfficeWriter batched(batches);
    std::vector<std::unique_ptr<WriterJob>> jobs;
    for (const std::string& path : paths) {
        int error = -1;
        jobs.push_back(batched.Start(path, error));
        ASSERT_TRUE(jobs.back());
        EXPECT_EQ(jobs.back()->RequestProcess(), jobs.front()->RequestProcess());
    }
    ASSERT_EQ(WaitFor(*jobs[0]), WriterJobState::Completed) << jobs[0]->FailureText();
    EXPECT_NE(writers::testing::PdfText(jobs[0]->OutputFile()).find("一つ目の文書"),
              std::string::npos);
    EXPECT_EQ(WaitFor(*jobs[1]), WriterJobState::Failed);
    EXPECT_EQ(jobs[1]->FailureText(), writer_failure::kNoPdf);
    ASSERT_EQ(WaitFor(*jobs[2]), WriterJobState::Completed) << jobs[2]->FailureText();
    EXPECT_NE(writers::testing::PdfText(jobs[2]->OutputFile()).find("三つ目の文書"),
              std::string::npos);
    // Each PDF serves one job: the same document again is exported again.
    int error = -1;
    std::unique_ptr<WriterJob> again = batched.Start(paths[0], error);
    EXPECT_NE(again->RequestProcess(), jobs.front()->RequestProcess());
}

// Cases that need no LibreOffice.
class LibreOfficeWriterRefusalTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir =
        fs::temp_directory_path() / ("korvent-sofficerefusal-" + std::to_string(getpid()));
    LibreOfficeWriter writer{
        std::make_shared<LibreOfficeBatches>(std::make_shared<LibreOfficeProgram>())};
};

TEST_F(LibreOfficeWriterRefusalTest, UnreadableDocumentsAreRefusedWithTheShellCode) {
    const struct {
        fs::path path;
        int error;
    } cases[] = {
        {dir / "missing.odt", shell_error::FileNotFound},
        {dir / "no-folder" / "a.odt", shell_error::PathNotFound},
        {dir, shell_error::FileNotFound},  // a folder is no document
    };
    for (const auto& c : cases) {
        int error = -1;
        EXPECT_EQ(writer.Start(c.path.string(), error), nullptr) << c.path;
        EXPECT_EQ(error, c.error) << c.path;
    }
}

TEST_F(LibreOfficeWriterRefusalTest, MissingSofficeFailsTheJobWithTheReason) {
    const fs::path source = dir / "a.txt";
    WriteFile(source, "text\n");
    const std::string path = std::getenv("PATH");
    setenv("PATH", (dir / "empty").c_str(), 1);
    int error = -1;
    std::unique_ptr<WriterJob> job = writer.Start(source.string(), error);
    setenv("PATH", path.c_str(), 1);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->Poll(), WriterJobState::Failed);
    EXPECT_EQ(job->FailureText(), writer_failure::kNoLibreOffice);
    EXPECT_FALSE(job->RequestProcess()->Running());
}

}  // namespace
}  // namespace korvent::platform
