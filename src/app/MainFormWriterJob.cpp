// Writers that make PDFs without a dialog (an export program, a PDF print queue): the print
// request starts a job, and the polling step follows it to its PDF and moves that PDF to the
// name the naming rules give, as filling a Save dialog would.
#include "app/MainForm.h"

#include <chrono>
#include <filesystem>

#include "app/FileQuery.h"
#include "app/PathText.h"
#include "platform/Clock.h"
#include "platform/DocumentWriter.h"
#include "platform/MessageBoxes.h"
#include "platform/MoveFile.h"

namespace korvent::app {
namespace {

using std::chrono::milliseconds;

// A document that has not become a PDF in this time has failed.
constexpr milliseconds kWriterJobLimit{120000};

}  // namespace

TWriterKind TMainForm::PdfWriterKind(const std::string& printerName) {
    const TWriterKind known = WriterKind(printerName);
    platform::DocumentWriters* writers = fEnv.services.documentWriters;
    if (known != TWriterKind::wkOther || !writers) {
        return known;
    }
    for (const std::string& name : writers->ExtraWriterNames()) {
        if (name == printerName) {
            return TWriterKind::wkExport;
        }
    }
    return writers->IsPdfQueue(printerName) ? TWriterKind::wkPdfQueue : TWriterKind::wkOther;
}

bool TMainForm::DrivenWriter() const {
    return Run.FWriterKind == TWriterKind::wkExport || Run.FWriterKind == TWriterKind::wkPdfQueue;
}

int TMainForm::StartWriterJob(const std::string& path) {
    platform::DocumentWriters* writers = fEnv.services.documentWriters;
    std::unique_ptr<platform::DocumentWriter> writer =
        writers ? writers->Writer(fModel.CmbPDFWriter.Text) : nullptr;
    int error = platform::shell_error::NoAssociation;
    if (writer) {
        writers->Expect(UpcomingWriterDocuments());
    }
    fWriterJob = writer ? writer->Start(path, error) : nullptr;
    if (!fWriterJob) {
        FinishEntry();
        RecordFailure(path, std::to_string(error));
        return 0;
    }
    // The job's program is followed by the polling step on every tick, so no wait is needed
    // here, and no job can end while this frame still looks at it.
    fWriterJobStart = fEnv.services.clock.Now();
    return 1;
}

std::vector<std::string> TMainForm::UpcomingWriterDocuments() const {
    // Pictures and PDFs of the run never reach the writer.
    std::vector<std::string> paths;
    for (std::size_t i = static_cast<std::size_t>(Run.FStartedCount - 1); i < FFilePaths.size();
         ++i) {
        const std::string extension = LowerExtension(FFilePaths[i]);
        if (!IsImageFile(extension) && extension != ".pdf") {
            paths.push_back(FFilePaths[i]);
        }
    }
    return paths;
}

void TMainForm::PollWriterJob() {
    if (!fWriterJob) {
        return;
    }
    Run.FDialogPhase = TDialogPhase::dpDialogSeen;
    switch (fWriterJob->Poll()) {
        case platform::WriterJobState::Running:
            if (fEnv.services.clock.Now() - fWriterJobStart < kWriterJobLimit) {
                return;
            }
            RecordFailure(CurrentEntry(), "120 秒以内にＰＤＦができませんでした");
            break;
        case platform::WriterJobState::Failed:
            RecordFailure(CurrentEntry(), fWriterJob->FailureText());
            break;
        case platform::WriterJobState::Completed:
            PlaceWriterOutput(fWriterJob->OutputFile());
            break;
    }
    fWriterJob.reset();
    FinishEntry();
    if (!Run.FRunning) {
        CompleteStop();
    }
}

void TMainForm::PlaceWriterOutput(const std::string& produced) {
    const std::string entry = CurrentEntry();
    std::string target = MakeSaveFilePath(ExtractFileName(entry, kPathDelimiter));
    if (PathExists(target)) {
        // The writer's overwrite prompt, answered as for a dialog writer: replace after the
        // same pause, or stop the run and keep the new PDF under a free name.
        Run.FOverwriteDone = true;
        fEnv.services.clock.Sleep(milliseconds(2000));
        if (fModel.RGDD.ItemIndex != 0) {
            const std::string kept = AppendToFileName(target, "");
            if (!platform::MoveFile(produced, kept, platform::MoveMode::KeepExisting)) {
                fEnv.messages.Show(
                    target + " は既に存在します。\n作成したＰＤＦは " + kept + " に保存しました。",
                    "KorventPDF", platform::mb::Ok | platform::mb::TopMost);
            }
            BtnStopAutoCheckClick();
            return;
        }
    }
    if (platform::MoveFile(produced, target, platform::MoveMode::Replace)) {
        RecordFailure(entry, "ＰＤＦを " + target + " に保存できません");
        return;
    }
    Run.FMergeFiles.push_back(target);
    Run.FProducedFiles.push_back(target);
    TickEntry(Run.FStartedCount - 1);
}

}  // namespace korvent::app
