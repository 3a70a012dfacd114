#include "platform/posix/CupsPdfQueueWriter.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/posix/LinuxDocumentWriters.h"
#include "platform/posix/WriterFailure.h"
#include "platform/sim/SimDocumentWriters.h"
#include "printer/CupsServer.h"
#include "writers/PdfQueueServer.h"
#include "writers/WriterTestSupport.h"

namespace korvent::platform {
namespace {

namespace fs = std::filesystem;
using printer::testing::CupsServer;
using writers::testing::PdfQueueServer;
using writers::testing::WaitFor;
using writers::testing::WriteFile;

// One server serves every suite of the executable: libcups keeps the first server it talked to.
class CupsPdfQueueWriterTest : public ::testing::Test {
public:
    static void StartServer() { skipReason = server.Start(); }
    static void StopServer() { server.Stop(); }

protected:
    void SetUp() override {
        if (!skipReason.empty()) {
            GTEST_SKIP() << skipReason;
        }
        writer = writers.Writer(kQueue);
        ASSERT_TRUE(writer);
    }

    static const CupsServer& Cups() { return server.Cups(); }
    fs::path Doc(const std::string& name) const { return Cups().Dir() / name; }

    static inline const std::string kQueue = "KorventTest" + std::to_string(getpid());
    static inline PdfQueueServer server{kQueue};
    static inline std::string skipReason;
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
        << job->FailureText() << server.Log() << Cups().Tool({"lpstat", "-l", "-o", "-p"}).output;
    EXPECT_EQ(fs::path(job->OutputFile()).parent_path(), server.OutFolder());
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
    Cups().Tool({"cupsdisable", kQueue});
    WriteFile(Doc("held.txt"), "never printed\n");
    int error = -1;
    std::unique_ptr<WriterJob> job = writer->Start(Doc("held.txt").string(), error);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->Poll(), WriterJobState::Running);
    Cups().Tool({"cancel", "-a", kQueue});
    EXPECT_EQ(WaitFor(*job, std::chrono::seconds(20)), WriterJobState::Failed);
    EXPECT_EQ(job->FailureText(), writer_failure::kJobCancelled);
    Cups().Tool({"cupsenable", kQueue});
}

TEST_F(CupsPdfQueueWriterTest, OnlyCupsPdfQueuesAreWriters) {
    Cups().Tool({"lpadmin", "-p", "Paper", "-E", "-v", "file:/dev/null", "-m", "raw"});
    EXPECT_TRUE(writers.IsPdfQueue(kQueue));
    EXPECT_FALSE(writers.IsPdfQueue("Paper"));
    EXPECT_FALSE(writers.IsPdfQueue("NoSuchQueue"));
    EXPECT_EQ(writers.Writer("Paper"), nullptr);
}

}  // namespace
}  // namespace korvent::platform
