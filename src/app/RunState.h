#pragma once

#include <string>
#include <vector>

namespace korvent::app {

// The PDF writer a run prints to, told apart by its printer name. The first four drive the
// writer's Save dialog; the last two are this system's dialog-free writers.
enum class TWriterKind {
    wkOther = -1,  // a printer whose dialog is not driven: documents are only printed
    wkPrimoPDF = 0,
    wkXeroPDF = 1,
    wkXeroPDF2 = 2,
    wkCutePDF = 3,
    wkExport = 4,    // a program that exports PDFs itself (listed after the printers)
    wkPdfQueue = 5,  // a print queue that writes PDFs into a folder
};

// Where the entry in progress stands with its writer.
enum class TDialogPhase {
    dpNone = 0,            // nothing awaited
    dpPrintRequested = 1,  // print request made, the writer's dialog (or result) awaited
    dpDialogSeen = 2,      // the writer's dialog is open (or its job is running)
};

// Which of the known Save dialogs the last search found.
enum class TDialogVariant {
    dvNone = -1,
    dvSokusatsu = 0,   // the "即刷★PDF" dialog of PrimoPDF
    dvPrimoOk = 1,     // PrimoPDF's OK dialog
    dvXero = 2,        // クセロPDF and クセロPDF2
    dvPrimoForms = 3,  // PrimoPDF's forms-based dialog
    dvCutePDF = 4,     // CutePDF Writer
};

// The state of a conversion run, shared by its phases (start, entries, dialog, image, merge).
struct TRunState {
    bool FRunPrepared = false;   // a run position is set up and entries may be started
    bool FReadyForNext = false;  // the entry in progress is finished
    int FStartedCount = 0;       // entries started; the current one is FStartedCount - 1
    int FFileCount = 0;          // entries the run walks
    TDialogPhase FDialogPhase = TDialogPhase::dpNone;
    bool FRunning = false;  // after a start or resume, until stop
    TWriterKind FWriterKind = TWriterKind::wkOther;
    TDialogVariant FDialogVariant = TDialogVariant::dvNone;
    bool FSaveDone = false;       // per entry: the Save dialog was filled
    bool FOverwriteDone = false;  // per entry: the overwrite prompt was answered
    bool FBatchMode = false;
    bool FFromCommandLine = false;
    std::string FSourceDir;    // folder of the current entry, without trailing separator
    std::string FPausedLabel;  // the current-file label kept by stop for resume
    std::vector<std::string> FErrorFiles;  // file names whose request failed
    std::vector<std::string> FErrorCodes;  // their error codes, or reasons, as text
    std::vector<std::string> FMergeFiles;
    std::vector<std::string> FProducedFiles;
};

}  // namespace korvent::app
