// Runs through the dialog-free writers (an export program, a PDF queue) on simulated jobs.
#include <gmock/gmock.h>

#include "RunFixture.h"
#include "platform/sim/SimDocumentWriters.h"

namespace korvent::app {
namespace {

using Outcome = platform::SimDocumentWriters::Outcome;
using std::chrono::milliseconds;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class WriterRunTest : public RunFixture {
protected:
    WriterRunTest() {
        documentWriters = &writers;
        writers.AddPdfQueue("KorventPDF");
        printers.AddPrinter("KorventPDF");
    }
    platform::SimDocumentWriters writers{clock};
};

struct JobCase {
    const char* name;
    Outcome outcome;
    milliseconds after;
    const char* summaryLine;  // empty: converted
};

class WriterJobTest : public WriterRunTest, public ::testing::WithParamInterface<JobCase> {};

// Each way a job can end, through both writers: a finished job's PDF is moved to its planned
// name; any other end fails the entry with its reason and the run goes on.
TEST_P(WriterJobTest, JobEndsTheEntry) {
    const JobCase& c = GetParam();
    for (const char* writer : {"LibreOffice PDF", "KorventPDF"}) {
        messages.Clear();
        writers.AddScript({c.outcome, c.after, "壊れた文書です"});
        Start(writer, {Document("a.docx"), Document("b.odt")});
        form->BtnPDFAllClick();
        RunToEnd(400);
        const bool converted = std::string(c.summaryLine).empty();
        EXPECT_EQ(std::filesystem::exists(out / "a.pdf"), converted) << writer;
        EXPECT_TRUE(std::filesystem::exists(out / "b.pdf")) << writer;
        EXPECT_THAT(
            messages.Texts(),
            ElementsAre(converted ? std::string("ＰＤＦ変換完了しました。")
                                  : std::string("ＰＤＦ変換できませんでした。\n\na.docx  :  ") +
                                        c.summaryLine))
            << writer;
        std::filesystem::remove_all(out);
        std::filesystem::create_directories(out);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, WriterJobTest,
    ::testing::Values(JobCase{"Completed", Outcome::Complete, milliseconds(3000), ""},
                      JobCase{"Failed", Outcome::Fail, milliseconds(1000), "壊れた文書です"},
                      JobCase{"Cancelled", Outcome::Cancel, milliseconds(1000),
                              platform::SimDocumentWriters::kCancelledText},
                      JobCase{"NeverDone", Outcome::NoOutput, milliseconds(10000000),
                              "120 秒以内にＰＤＦができませんでした"}));

// The export writer is no printer: the default printer is never touched.
TEST_F(WriterRunTest, ExportWriterLeavesTheDefaultPrinter) {
    Start("LibreOffice PDF", {Document("a.docx")});
    form->BtnPDFAllClick();
    RunToEnd();
    EXPECT_THAT(printers.DeviceWrites(), IsEmpty());
    EXPECT_TRUE(std::filesystem::exists(out / "a.pdf"));
}

// A first start whose default printer makes paper chooses the export writer instead.
TEST_F(WriterRunTest, FirstStartChoosesTheExportWriter) {
    Create();
    EXPECT_EQ(M().CmbPDFWriter.Text, "LibreOffice PDF");
    EXPECT_EQ(form->PDFWriterKind, TWriterKind::wkExport);
    // The choice is stored: the next start shows it again.
    Create();
    EXPECT_EQ(M().CmbPDFWriter.Text, "LibreOffice PDF");
}

// Stop while a job runs: the job finishes, then the stop completes; resume goes on.
TEST_F(WriterRunTest, StopWhileJobRunsThenResume) {
    writers.AddScript({Outcome::Complete, milliseconds(2000), ""});
    Start("KorventPDF", {Document("a.docx"), Document("b.docx")});
    form->BtnPDFAllClick();
    Tick();
    form->BtnStopAutoCheckClick();
    EXPECT_TRUE(timer.Enabled());
    RunToEnd();
    EXPECT_TRUE(std::filesystem::exists(out / "a.pdf"));
    EXPECT_FALSE(std::filesystem::exists(out / "b.pdf"));
    EXPECT_EQ(DefaultPrinter(), "Paper");
    form->BtnAutoCheckClick();
    RunToEnd();
    EXPECT_TRUE(std::filesystem::exists(out / "b.pdf"));
}

struct PolicyCase {
    int policy;
    int rgdd;
    std::vector<std::string> files;  // in the output folder afterwards
    bool stopped;
};

class WriterPolicyTest : public WriterRunTest, public ::testing::WithParamInterface<PolicyCase> {};

// An existing target under each same-name policy; under policy 0 the prompt's answer is to
// replace, or with the auto-run setting to stop and keep the new PDF under a free name.
TEST_P(WriterPolicyTest, ExistingTarget) {
    const PolicyCase& c = GetParam();
    std::ofstream(out / "a.pdf") << "old";
    Start("LibreOffice PDF", {Document("a.docx")});
    M().RadioGroup1.ItemIndex = c.policy;
    M().EdtAddNewPath.Text = "_new";
    M().EdtAddOldPath.Text = "_old";
    M().RGDD.ItemIndex = c.rgdd;
    form->BtnPDFAllClick();
    RunToEnd();
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(out)) {
        files.push_back(e.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, c.files);
    EXPECT_EQ(form->Run.FRunPrepared, c.stopped);
}

INSTANTIATE_TEST_SUITE_P(Policies, WriterPolicyTest,
                         ::testing::Values(PolicyCase{0, 0, {"a.pdf"}, false},
                                           PolicyCase{1, 0, {"a.pdf"}, false},
                                           PolicyCase{2, 0, {"a.pdf", "a_new.pdf"}, false},
                                           PolicyCase{3, 0, {"a.pdf", "a_old.pdf"}, false},
                                           PolicyCase{0, 1, {"a(1).pdf", "a.pdf"}, true}));

}  // namespace
}  // namespace korvent::app
