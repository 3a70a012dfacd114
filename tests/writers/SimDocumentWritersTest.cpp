#include "platform/sim/SimDocumentWriters.h"

#include <gtest/gtest.h>

#include "pdf/RunProgram.h"
#include "platform/sim/VirtualClock.h"

namespace korvent::platform {
namespace {

using namespace std::chrono_literals;
using Outcome = SimDocumentWriters::Outcome;

struct OutcomeCase {
    const char* name;
    SimDocumentWriters::Script script;
    WriterJobState end;
    std::string failure;
};

class SimOutcomeTest : public ::testing::TestWithParam<OutcomeCase> {
protected:
    VirtualClock clock;
    SimDocumentWriters writers{clock};
};

// The engine ticks every 500 ms; a job scripted for 1500 ms ends on the third tick.
TEST_P(SimOutcomeTest, JobEndsOnTheTickItWasScriptedFor) {
    const OutcomeCase& c = GetParam();
    writers.AddScript(c.script);
    int error = -1;
    std::unique_ptr<WriterJob> job =
        writers.Writer("LibreOffice PDF")->Start("/d/報告.docx", error);
    ASSERT_TRUE(job);
    for (int tick = 0; tick < 2; ++tick) {
        clock.Advance(500ms);
        EXPECT_EQ(job->Poll(), WriterJobState::Running) << tick;
    }
    clock.Advance(500ms);
    EXPECT_EQ(job->Poll(), c.end);
    EXPECT_EQ(job->FailureText(), c.failure);
    const std::string output = job->OutputFile();
    EXPECT_EQ(output.empty(), c.end != WriterJobState::Completed);
    if (!output.empty()) {
        EXPECT_EQ(korvent::testing::RunProgram({"qpdf", "--check", output}).exitCode, 0);
        job.reset();
        EXPECT_FALSE(std::filesystem::exists(output)) << "the output goes with its job";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SimOutcomeTest,
    ::testing::Values(
        OutcomeCase{"Complete", {Outcome::Complete, 1500ms, {}}, WriterJobState::Completed, ""},
        OutcomeCase{"Fail",
                    {Outcome::Fail, 1500ms, "PDF が作られませんでした"},
                    WriterJobState::Failed,
                    "PDF が作られませんでした"},
        OutcomeCase{"Cancel",
                    {Outcome::Cancel, 1500ms, {}},
                    WriterJobState::Failed,
                    SimDocumentWriters::kCancelledText},
        OutcomeCase{"NoOutput", {Outcome::NoOutput, 1500ms, {}}, WriterJobState::Running, ""}),
    [](const ::testing::TestParamInfo<OutcomeCase>& info) { return info.param.name; });

TEST(SimDocumentWriters, KnowsItsWritersRecordsRequestsAndRefusesOnRequest) {
    VirtualClock clock;
    SimDocumentWriters writers(clock);
    writers.AddPdfQueue("KorventPDF");
    EXPECT_EQ(writers.ExtraWriterNames(), std::vector<std::string>{"LibreOffice PDF"});
    EXPECT_TRUE(writers.IsPdfQueue("KorventPDF"));
    EXPECT_FALSE(writers.IsPdfQueue("Office Laser"));
    EXPECT_EQ(writers.Writer("Office Laser"), nullptr);

    writers.RefuseNextStart(shell_error::FileNotFound);
    std::unique_ptr<DocumentWriter> queue = writers.Writer("KorventPDF");
    int error = -1;
    EXPECT_EQ(queue->Start("/d/gone.txt", error), nullptr);
    EXPECT_EQ(error, shell_error::FileNotFound);
    // Unscripted jobs complete on the next tick, each in a file of its own.
    std::unique_ptr<WriterJob> a = queue->Start("/d/a.txt", error);
    std::unique_ptr<WriterJob> b = queue->Start("/e/a.txt", error);
    EXPECT_EQ(error, 0);
    clock.Advance(500ms);
    ASSERT_EQ(a->Poll(), WriterJobState::Completed);
    ASSERT_EQ(b->Poll(), WriterJobState::Completed);
    EXPECT_NE(a->OutputFile(), b->OutputFile());
    EXPECT_EQ(writers.Requests(),
              (std::vector<SimDocumentWriters::Request>{{"KorventPDF", "/d/gone.txt"},
                                                        {"KorventPDF", "/d/a.txt"},
                                                        {"KorventPDF", "/e/a.txt"}}));
}

}  // namespace
}  // namespace korvent::platform
