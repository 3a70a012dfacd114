#include "platform/posix/CupsPdfQueueWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "platform/posix/LinuxDocumentWriters.h"
#include "platform/posix/WriterFailure.h"
#include "platform/sim/SimDocumentWriters.h"
#include "printer/CupsServer.h"
#include "writers/WriterTestSupport.h"

namespace korvent::platform {
namespace {

namespace fs = std::filesystem;
using printer::testing::CupsServer;
using writers::testing::WaitFor;
using writers::testing::WriteFile;

// A private scheduler with one cups-pdf queue. cups-pdf reads its settings from /etc/cups
// whatever the scheduler's, so the queue's device names a configuration file of its own there
// (sending output, spool and log into the test's folder); it is removed with the server. One
// server serves every suite of the executable: libcups keeps the first server it talked to.
class CupsPdfQueueWriterTest : public ::testing::Test {
public:
    static void StartServer() {
        if (access("/usr/lib/cups/backend/cups-pdf", F_OK) != 0) {
            skipReason = "cups-pdf is not installed";
            return;
        }
        skipReason = server.Start();
        if (!skipReason.empty()) {
            return;
        }
        const fs::path dir = server.Dir();
        configFile = CupsPdfConfig::FileFor(CupsPdfConfig::kSystemFolder, "cups-pdf:/" + kQueue);
        std::ofstream(configFile) << "Out " << (dir / "pdf").string() << "\nSpool "
                                  << (dir / "pdfspool").string() << "\nLog "
                                  << (dir / "log").string() << "\nLabel 2\nTitlePref 1\n";
        const auto added = server.Tool({"lpadmin", "-p", kQueue, "-E", "-v", "cups-pdf:/" + kQueue,
                                        "-P", "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"});
        if (added.status != 0) {
            skipReason = "lpadmin failed: " + added.output;
        }
    }
    static void StopServer() {
        server.Stop();
        if (!configFile.empty()) {
            fs::remove(configFile);
        }
    }

protected:
    void SetUp() override {
        if (!skipReason.empty()) {
            GTEST_SKIP() << skipReason;
        }
        writer = writers.Writer(kQueue);
        ASSERT_TRUE(writer);
    }

    // What the scheduler and cups-pdf logged, for the message of a failed case.
    static std::string ServerLog() {
        std::string log;
        for (const char* name : {"error_log", "cups-pdf-" /* prefix */}) {
            for (const fs::directory_entry& e : fs::directory_iterator(server.Dir() / "log")) {
                if (e.path().filename().string().starts_with(name)) {
                    std::ifstream in(e.path());
                    log += std::string(std::istreambuf_iterator<char>(in), {});
                }
            }
        }
        return log;
    }

    fs::path Doc(const std::string& name) const { return server.Dir() / name; }

    static inline const std::string kQueue = "KorventTest" + std::to_string(getpid());
    static inline CupsServer server;
    static inline std::string skipReason;
    static inline fs::path configFile;
    LinuxDocumentWriters writers;
    std::unique_ptr<DocumentWriter> writer;
};

class QueueServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override { CupsPdfQueueWriterTest::StartServer(); }
    void TearDown() override { CupsPdfQueueWriterTest::StopServer(); }
};
const ::testing::Environment* const kQueueServer =
    ::testing::AddGlobalTestEnvironment(new QueueServerEnvironment);

struct QueueCase {
    std::string name;
    std::string content;
    bool needsLibreOffice;
};

class CupsPdfQueueDocumentTest : public CupsPdfQueueWriterTest,
                                 public ::testing::WithParamInterface<QueueCase> {};

TEST_P(CupsPdfQueueDocumentTest, PrintedDocumentBecomesACompletePdf) {
    const QueueCase& c = GetParam();
    if (c.needsLibreOffice && !writers::testing::Installed("soffice")) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    }
    WriteFile(Doc(c.name), c.content);
    int error = -1;
    std::unique_ptr<WriterJob> job = writer->Start(Doc(c.name).string(), error);
    ASSERT_TRUE(job) << error;
    ASSERT_EQ(WaitFor(*job, std::chrono::seconds(60)), WriterJobState::Completed)
        << job->FailureText() << ServerLog() << server.Tool({"lpstat", "-l", "-o", "-p"}).output;
    EXPECT_EQ(fs::path(job->OutputFile()).parent_path(), server.Dir() / "pdf");
    EXPECT_TRUE(writers::testing::PdfSound(job->OutputFile()));
}

INSTANTIATE_TEST_SUITE_P(
    Documents, CupsPdfQueueDocumentTest,
    ::testing::Values(QueueCase{"ready.pdf", SimDocumentWriters::SmallPdf(), false},
                      QueueCase{"memo.txt", "plain text for the queue\n", false},
                      QueueCase{"文書.fodt", writers::testing::FlatOdt("キューへの印刷"), true}),
    [](const ::testing::TestParamInfo<QueueCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(CupsPdfQueueWriterTest, CancelledJobFails) {
    server.Tool({"cupsdisable", kQueue});
    WriteFile(Doc("held.txt"), "never printed\n");
    int error = -1;
    std::unique_ptr<WriterJob> job = writer->Start(Doc("held.txt").string(), error);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->Poll(), WriterJobState::Running);
    server.Tool({"cancel", "-a", kQueue});
    EXPECT_EQ(WaitFor(*job, std::chrono::seconds(20)), WriterJobState::Failed);
    EXPECT_EQ(job->FailureText(), writer_failure::kJobCancelled);
    server.Tool({"cupsenable", kQueue});
}

TEST_F(CupsPdfQueueWriterTest, OnlyCupsPdfQueuesAreWriters) {
    server.Tool({"lpadmin", "-p", "Paper", "-E", "-v", "file:/dev/null", "-m", "raw"});
    EXPECT_TRUE(writers.IsPdfQueue(kQueue));
    EXPECT_FALSE(writers.IsPdfQueue("Paper"));
    EXPECT_FALSE(writers.IsPdfQueue("NoSuchQueue"));
    EXPECT_EQ(writers.Writer("Paper"), nullptr);
}

}  // namespace
}  // namespace korvent::platform
