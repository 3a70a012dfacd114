// Batch runs: the checks of "一括" and the merge at the end, with the real PDF combiner.
#include <gmock/gmock.h>

#include "RunFixture.h"
#include "platform/QpdfCombiner.h"
#include "platform/sim/SimDocumentWriters.h"

namespace korvent::app {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MergeTest : public RunFixture {
protected:
    MergeTest() {
        combiner = &qpdf;
        documentWriters = &writers;
        dataDir = temp;
    }
    std::string Pdf(const std::string& name) {
        const auto path = source / name;
        std::ofstream(path, std::ios::binary) << platform::SimDocumentWriters::SmallPdf();
        return path.string();
    }
    std::string ListFile() const { return (temp / "MergeList.txt").string(); }

    platform::QpdfCombiner qpdf;
    platform::SimDocumentWriters writers{clock};
};

// Two documents and a given PDF merged into Merge + the first entry's name; without the keep
// option exactly the two produced PDFs go to the bin, the given PDF stays.
TEST_F(MergeTest, WorkedExample) {
    const std::string notes = Pdf("notes.pdf");
    Start("LibreOffice PDF", {Document("report.doc"), Document("figures.xls"), notes});
    M().ChkMergeFile.Checked = false;
    form->BtnMergeClick();
    RunToEnd();
    EXPECT_EQ(form->FMergeOutputPath, (out / "Mergereport.pdf").string());
    EXPECT_EQ(qpdf.PageCount(form->FMergeOutputPath), 3);
    EXPECT_THAT(bin.recycled, ElementsAre((out / "report.pdf").string(),
                                          (out / "figures.pdf").string(), ListFile()));
    EXPECT_TRUE(std::filesystem::exists(notes));
    EXPECT_THAT(messages.Texts(), ElementsAre("ＰＤＦ変換完了しました。"));
    // The list file was emptied before it went to the bin.
    EXPECT_EQ(std::filesystem::file_size(temp / "Trash" / "MergeList.txt"), 0u);
}

// The list holds the run's PDFs in order, CR LF after each line; kept in place (empty) when
// the hidden option is off.
TEST_F(MergeTest, ListFileStaysEmptyWhenNotRemoved) {
    const std::string a = Pdf("a.pdf");
    const std::string b = Pdf("b.pdf");
    Start("LibreOffice PDF", {a, b});
    M().CkbMergeFileDelete.Checked = false;
    form->BtnMergeClick();
    RunToEnd();
    EXPECT_EQ(std::filesystem::file_size(ListFile()), 0u);
    EXPECT_THAT(bin.recycled, IsEmpty());  // given PDFs are never removed
    EXPECT_EQ(qpdf.PageCount((out / "Mergea.pdf").string()), 2);
}

// The given name with the suffix option: the suffix replaces the name's last four characters.
TEST_F(MergeTest, GivenNameWithSuffix) {
    Start("LibreOffice PDF", {Pdf("a.pdf"), Pdf("b.pdf")});
    M().RBtnMerge1.Checked = true;
    M().RBtnMerge2.Checked = false;
    M().CkbAppendStr.Checked = true;
    M().EdtApendStr.Text = "_v";
    form->BtnMergeClick();
    RunToEnd();
    EXPECT_TRUE(std::filesystem::exists(out / "Merge_v.pdf"));
}

// A damaged PDF never becomes complete: after the bounded wait it is left out of the merge
// with one message, and the merge goes on with the rest.
TEST_F(MergeTest, DamagedInputIsLeftOut) {
    Start("LibreOffice PDF", {Document("a.doc"), Document("b.doc"), Document("bad.pdf")});
    form->BtnMergeClick();
    RunToEnd(200);
    EXPECT_EQ(qpdf.PageCount((out / "Mergea.pdf").string()), 2);
    std::vector<long> waits(21, 1000);
    waits.push_back(500);  // before the list file goes to the bin
    EXPECT_EQ(Waits(), waits);
    EXPECT_THAT(messages.Texts(), ElementsAre("ファイルがありません", "ＰＤＦ変換完了しました。"));
}

struct RefusalCase {
    std::vector<std::string> files;
    const char* writer;
    const char* message;
};

class MergeRefusalTest : public MergeTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(MergeRefusalTest, NothingStarts) {
    std::vector<std::string> files;
    for (const std::string& f : GetParam().files) {
        files.push_back(Pdf(f));
    }
    Start(GetParam().writer, files);
    form->BtnMergeClick();
    EXPECT_FALSE(timer.Enabled());
    EXPECT_FALSE(form->Run.FBatchMode);
    EXPECT_THAT(messages.Texts(), ElementsAre(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Checks, MergeRefusalTest,
    ::testing::Values(
        RefusalCase{{"a.pdf"}, "LibreOffice PDF", "ファイルが１つしか登録されていません"},
        RefusalCase{{"a.pdf", "b.pdf"},
                    "Paper",
                    "ＰＤＦＷｒｉｔｅｒが設定されていません。\n\r一括を中止します。"},
        RefusalCase{{}, "LibreOffice PDF", "ファイルが登録されていません"}));

}  // namespace
}  // namespace korvent::app
