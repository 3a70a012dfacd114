// Conversion runs of the real main window on a simulated desktop, tick by tick.
#include <gmock/gmock.h>

#include "RunFixture.h"
#include "platform/ShellActions.h"

namespace korvent::app {
namespace {

using platform::SimPdfPrinter;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using V = SimPdfPrinter::Variant;

constexpr const char* kDone = "ＰＤＦ変換完了しました。";

bool Exists(const std::filesystem::path& p) {
    return std::filesystem::exists(p);
}

class RunTest : public RunFixture {};

// The road of one document: the writer becomes the default printer, the print request's wait
// fills the dialog from nested ticks, the next tick sees the dialog gone, the run finishes.
TEST_F(RunTest, OneDocumentThroughCutePdfWriter) {
    desktop.AddPdfPrinter("CutePDF Writer", V::Cute);
    const std::string doc = Document("report.doc");
    Start("CutePDF Writer", {doc});

    form->BtnPDFAllClick();
    EXPECT_EQ(DefaultPrinter(), "CutePDF Writer");
    EXPECT_TRUE(timer.Enabled());
    EXPECT_FALSE(M().BtnPDFAll.Enabled);
    EXPECT_TRUE(M().BtnStopAutoCheck.Enabled);

    Tick();  // starts the entry; the dialog is filled inside the print request's wait
    EXPECT_EQ(M().LblFName.Text, "report.doc");
    EXPECT_EQ(M().Label2.Text, "実行中ファイル：  　");
    EXPECT_EQ(M().LblFName.Background, clSkyBlue);
    EXPECT_TRUE(Exists(out / "report.pdf"));
    EXPECT_THAT(Checks(), ElementsAre(1));
    // The same tick's polling step saw the dialog gone: the entry is finished.
    EXPECT_EQ(form->Run.FDialogPhase, TDialogPhase::dpNone);
    EXPECT_TRUE(form->Run.FReadyForNext);

    RunToEnd();
    EXPECT_THAT(messages.Texts(), ElementsAre(kDone));
    EXPECT_EQ(DefaultPrinter(), "Paper");
    EXPECT_TRUE(M().BtnPDFAll.Enabled);
    EXPECT_FALSE(M().BtnStopAutoCheck.Enabled);
    EXPECT_EQ(M().LblFName.Text, "");
    EXPECT_EQ(M().LblFName.Background, clBtnFace);
    EXPECT_FALSE(M().RunProgress.Visible);
    // The only wait is the fill's delay: the timer paces everything else.
    EXPECT_THAT(Waits(), ElementsAre(200));
}

struct VariantCase {
    const char* writer;
    V variant;
    std::vector<long> waits;  // the blocking waits of the whole run
};

class RunVariantTest : public RunFixture, public ::testing::WithParamInterface<VariantCase> {};

// Every dialog variant is found, filled and confirmed, with the waits its checks call for.
TEST_P(RunVariantTest, DialogIsFilledAndConfirmed) {
    const VariantCase& c = GetParam();
    desktop.AddPdfPrinter(c.writer, c.variant);
    Start(c.writer, {Document("a.doc"), Document("b.txt")});
    form->BtnPDFAllClick();
    RunToEnd();
    EXPECT_TRUE(Exists(out / "a.pdf"));
    EXPECT_TRUE(Exists(out / "b.pdf"));
    EXPECT_THAT(Checks(), ElementsAre(1, 1));
    EXPECT_THAT(messages.Texts(), ElementsAre(kDone));
    EXPECT_EQ(Waits(), c.waits);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, RunVariantTest,
    ::testing::Values(VariantCase{"PrimoPDF", V::Sokusatsu, {200, 200}},
                      VariantCase{"PrimoPDF", V::Primo, {200, 200}},
                      // The combo check waits the delay before its lookups, on every tick that
                      // sees the dialog.
                      VariantCase{"クセロPDF", V::Kusero, {200, 200, 200, 200}},
                      VariantCase{"クセロPDF2", V::Kusero, {200, 200, 200, 200}},
                      VariantCase{"PrimoPDF", V::PrimoForms, {500, 200, 500, 200}},
                      VariantCase{"CutePDF Writer", V::Cute, {200, 200}}));

struct OverwriteCase {
    int rgdd;
    bool replaced;
};

class RunOverwriteTest : public RunFixture, public ::testing::WithParamInterface<OverwriteCase> {};

// An existing target under policy 0: the writer asks; after 2000 ms "はい(&Y)" is pressed, or
// with the auto-run setting the run stops and leaves the prompt to the user.
TEST_P(RunOverwriteTest, OverwritePrompt) {
    desktop.AddPdfPrinter("CutePDF Writer", V::Cute);
    std::ofstream(out / "report.pdf") << "old";
    Start("CutePDF Writer", {Document("report.doc"), Document("next.doc")});
    M().RadioGroup1.ItemIndex = 0;
    M().RGDD.ItemIndex = GetParam().rgdd;
    bool promptLeftOpen = false;
    view.onProcessMessages = [&] {
        Tick();
        // The user answers a prompt the run left to them.
        if (!form->Run.FRunning && desktop.Printer("CutePDF Writer").DialogOpen()) {
            promptLeftOpen = true;
            desktop.Printer("CutePDF Writer").CloseDialogByHand();
        }
    };
    form->BtnPDFAllClick();
    RunToEnd(20);
    if (GetParam().replaced) {
        EXPECT_THAT(Waits(), ElementsAre(200, 2000, 200));
        EXPECT_TRUE(Exists(out / "next.pdf"));
        EXPECT_THAT(messages.Texts(), ElementsAre(kDone));
    } else {
        EXPECT_THAT(Waits(), ElementsAre(200, 2000));
        EXPECT_TRUE(promptLeftOpen);
        EXPECT_FALSE(timer.Enabled());
        EXPECT_FALSE(Exists(out / "next.pdf"));
        EXPECT_TRUE(M().BtnAutoCheck.Enabled);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, RunOverwriteTest,
                         ::testing::Values(OverwriteCase{0, true}, OverwriteCase{1, false}));

// Stop while a dialog is open: the dialog is still filled, the stop completes when it has
// closed, and resume goes on with the next entry.
TEST_F(RunTest, StopWhileDialogOpenThenResume) {
    SimPdfPrinter::Options slow;
    slow.dialogDelay = std::chrono::milliseconds(0);
    desktop.AddPdfPrinter("CutePDF Writer", V::Cute, slow);
    Start("CutePDF Writer", {Document("a.doc"), Document("b.doc")});
    view.onProcessMessages = [this] {
        if (form->Run.FRunning) {
            form->BtnStopAutoCheckClick();
        }
        Tick();
    };
    form->BtnPDFAllClick();
    Tick();  // stop is pressed while the dialog is open; it closes within the same tick
    EXPECT_TRUE(Exists(out / "a.pdf"));
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(M().LblFName.Text, "");
    EXPECT_EQ(DefaultPrinter(), "Paper");
    EXPECT_TRUE(M().BtnAutoCheck.Enabled);

    view.onProcessMessages = [this] { Tick(); };
    form->BtnAutoCheckClick();
    EXPECT_EQ(M().LblFName.Text, "a.doc");  // the label kept by stop
    RunToEnd();
    EXPECT_TRUE(Exists(out / "b.pdf"));
    EXPECT_THAT(Checks(), ElementsAre(1, 1));
}

// A missing file in the middle, a failed print request and an unassociated file: the run goes
// on, the missing one gets its message at once and the failures are summed up at the end.
TEST_F(RunTest, FailuresAreSummarised) {
    desktop.AddPdfPrinter("CutePDF Writer", V::Cute);
    const std::string a = Document("a.xyz");
    const std::string b = Document("b.doc");
    desktop.Shell().FailPath(a, platform::shell_error::NoAssociation);
    desktop.Shell().FailPath(b, platform::shell_error::FileNotFound);
    Start("CutePDF Writer", {a, (source / "gone.doc").string(), b, Document("c.doc")});
    form->BtnPDFAllClick();
    RunToEnd();
    EXPECT_THAT(Checks(), ElementsAre(0, 0, 0, 1));
    EXPECT_THAT(messages.Texts(),
                ElementsAre("ファイル名を入力し直してください",
                            "ＰＤＦ変換できませんでした。\n\na.xyz  :  "
                            "ファイル関連付けがありません\nb.doc  :  ファイルが見つかりません"));
}

// A picture that makes no PDF stays unmarked and is named in the summary.
TEST_F(RunTest, UnreadablePictureIsNamedInTheSummary) {
    const std::string broken = Document("broken.bmp");
    Start("CutePDF Writer", {broken, Document("given.pdf")});
    form->BtnPDFAllClick();
    RunToEnd();
    EXPECT_THAT(Checks(), ElementsAre(0, 1));
    EXPECT_THAT(
        messages.Texts(),
        ElementsAre(broken + "はファイルが読み込めません。\n\rファイルを確認してください。",
                    "ＰＤＦ変換できませんでした。\n\nbroken.bmp  :  ＰＤＦにできませんでした"));
}

// The open command asks for every selected entry in list order; a refusal names the file.
TEST_F(RunTest, OpenCommandOpensTheSelectedEntries) {
    const std::string a = Document("a.doc");
    const std::string c = Document("c.xyz");
    desktop.Shell().FailPath(c, platform::shell_error::NoAssociation);
    Start("Paper", {a, Document("b.doc"), c});
    M().CheckListBox1.ItemSelected = {1, 0, 1};
    form->BtnOpenFileClick();
    ASSERT_EQ(desktop.Shell().Requests().size(), 2u);
    EXPECT_EQ(desktop.Shell().Requests()[0].path, a);
    EXPECT_EQ(desktop.Shell().Requests()[0].verb, platform::ShellVerb::Open);
    EXPECT_THAT(messages.Texts(), ElementsAre("ファイルを開くことができません。\n" + c +
                                              " : ファイル関連付けがありません"));
}

// A printer that is none of the four is printed to: each entry is ticked when its printing
// program ends, and the end message says printing.
TEST_F(RunTest, OtherPrinterOnlyPrints) {
    Start("Paper", {Document("a.doc"), Document("b.doc")});
    form->BtnPDFAllClick();
    RunToEnd();
    EXPECT_THAT(Checks(), ElementsAre(1, 1));
    EXPECT_EQ(desktop.Shell().Requests().size(), 2u);
    EXPECT_THAT(messages.Texts(), ElementsAre("印刷完了しました。"));
    EXPECT_THAT(Waits(), IsEmpty());
}

// Pictures and PDFs need no printer: a PDF is ticked at once and joins the merge list as it is.
TEST_F(RunTest, PdfPassesThrough) {
    desktop.AddPdfPrinter("CutePDF Writer", V::Cute);
    const std::string pdf = Document("given.pdf");
    Start("CutePDF Writer", {pdf});
    form->BtnPDFAllClick();
    Tick();
    EXPECT_THAT(Checks(), ElementsAre(1));
    EXPECT_THAT(form->Run.FMergeFiles, ElementsAre(pdf));
    EXPECT_THAT(form->Run.FProducedFiles, IsEmpty());
    EXPECT_THAT(desktop.Shell().Requests(), IsEmpty());
}

// With both PrimoPDF dialogs on the desktop the forms-based one is the one driven.
TEST_F(RunTest, FormsDialogWinsOverOkDialog) {
    auto& ok = desktop.AddPdfPrinter("PrimoPDF", V::Primo);
    ok.OpenDialogNow();
    Create();
    SelectWriter("PrimoPDF");
    form->Run.FWriterKind = TWriterKind::wkPrimoPDF;
    EXPECT_NE(form->ExistSaveDialg(), 0u);
    EXPECT_EQ(form->Run.FDialogVariant, TDialogVariant::dvPrimoOk);
    SimPdfPrinter forms(desktop.Windows(), clock, V::PrimoForms);
    forms.OpenDialogNow();
    form->ExistSaveDialg();
    EXPECT_EQ(form->Run.FDialogVariant, TDialogVariant::dvPrimoForms);
}

// The caption comparison is exact: a trailing space hides the dialog, so the entry waits.
TEST_F(RunTest, CaptionWithTrailingSpaceIsNotFound) {
    SimPdfPrinter::Options odd;
    odd.captionTrailingSpace = true;
    desktop.AddPdfPrinter("CutePDF Writer", V::Cute, odd);
    odd.programNeverEnds = true;
    Start("CutePDF Writer", {Document("a.doc")});
    view.onProcessMessages = [this] {
        Tick();
        if (ticks > 10) {
            desktop.Printer("CutePDF Writer").CloseDialogByHand();
        }
    };
    form->BtnPDFAllClick();
    RunToEnd(30);
    EXPECT_FALSE(Exists(out / "a.pdf"));
    EXPECT_THAT(desktop.Windows().Records(), IsEmpty());
}

// A writer dialog already open refuses the start; so does an empty list.
TEST_F(RunTest, StartIsRefused) {
    desktop.AddPdfPrinter("CutePDF Writer", V::Cute).OpenDialogNow();
    Start("CutePDF Writer", {Document("a.doc")});
    form->BtnPDFAllClick();
    EXPECT_FALSE(timer.Enabled());
    form->BtnAllClearListClick();
    desktop.Printer("CutePDF Writer").CloseDialogByHand();
    form->BtnPDFAllClick();
    EXPECT_FALSE(timer.Enabled());
    EXPECT_THAT(messages.Texts(),
                ElementsAre("CutePDF Writerが既に起動しています。\n\n終了させてから変換ボタンを押"
                            "してください。",
                            "ファイルが登録されていません"));
    EXPECT_EQ(DefaultPrinter(), "Paper");
}

// An edit that never takes the name is filled again every delay + 500 ms until the dialog is
// closed by hand; then the entry fails and the run goes on.
TEST_F(RunTest, FillLoopEndsWhenDialogIsClosed) {
    SimPdfPrinter::Options stubborn;
    stubborn.editIgnoresText = true;
    stubborn.closeAfterSetTexts = 6;
    desktop.AddPdfPrinter("CutePDF Writer", V::Cute, stubborn);
    Start("CutePDF Writer", {Document("a.doc"), Document("b.pdf")});
    form->BtnPDFAllClick();
    RunToEnd();
    EXPECT_THAT(Waits(), ElementsAre(200, 500, 200, 500, 200, 500));
    EXPECT_THAT(Checks(), ElementsAre(0, 1));
    EXPECT_THAT(messages.Texts(), ElementsAre("ＰＤＦ変換できませんでした。\n\na.doc  :  "
                                              "保存ダイアログが閉じられました"));
}

// A path the field could never give back whole is refused instead of looping.
TEST_F(RunTest, OverlongPathFailsTheEntry) {
    desktop.AddPdfPrinter("CutePDF Writer", V::Cute);
    const std::string name = std::string(250, 'x') + ".doc";
    Start("CutePDF Writer", {Document(name)});
    view.onProcessMessages = [this] {
        Tick();
        if (ticks == 6) {
            desktop.Printer("CutePDF Writer").CloseDialogByHand();
        }
    };
    form->BtnPDFAllClick();
    RunToEnd();
    EXPECT_THAT(desktop.Windows().Records(), IsEmpty());
    EXPECT_THAT(messages.Texts(), ElementsAre("ＰＤＦ変換できませんでした。\n\n" + name +
                                              "  :  出力ファイル名が長すぎます"));
}

// Started from the command line with the auto-run setting, the run converts and then closes
// the program.
TEST_F(RunTest, CommandLineAutoRunClosesTheProgram) {
    desktop.AddPdfPrinter("CutePDF Writer", V::Cute);
    const std::string doc = Document("report.doc");
    {
        Create();
        SelectWriter("CutePDF Writer");
        M().RGDD.ItemIndex = 1;
        form->RGDDClick();
        form->RBtnOutPut1Click();
    }
    Create({doc});
    EXPECT_TRUE(timer.Enabled());
    RunToEnd();
    EXPECT_EQ(view.closed, 1);
    EXPECT_THAT(Checks(), ElementsAre(1));
    EXPECT_THAT(messages.Texts(), ElementsAre(kDone));
}

}  // namespace
}  // namespace korvent::app
