#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/FormEnvironment.h"
#include "app/FormModel.h"
#include "app/RunState.h"
#include "platform/Paths.h"
#include "platform/WindowSystem.h"

namespace korvent::graphics {
struct TGraphicClass;
}
namespace korvent::pdf {
class TPRPage;
}
namespace korvent::platform {
struct CombineResult;
class Process;
class WriterJob;
}  // namespace korvent::platform
namespace korvent::printer {
class TplSetPrinter;
}
namespace korvent::settings {
class TRegManager;
}
namespace korvent::spi {
class TInSPI;
class TSPI;
class TSPIs;
}  // namespace korvent::spi

namespace korvent::app {

// Deletes a printer selector where its class is complete (MainFormPrinters.cpp), so that this
// header needs only its declaration.
struct PrinterSelectorDeleter {
    void operator()(printer::TplSetPrinter* selector) const;
};
using PrinterSelectorPtr = std::unique_ptr<printer::TplSetPrinter, PrinterSelectorDeleter>;

class TImagePage;
// Deletes the image page where its class is complete (MainFormImage.cpp).
struct ImagePageDeleter {
    void operator()(TImagePage* page) const;
};
using ImagePagePtr = std::unique_ptr<TImagePage, ImagePageDeleter>;

// The main window's logic: every handler and all run state of the window, working on the
// plain model of its controls. The handlers are spread over the MainForm*.cpp files by concern:
// start-up and shut-down, settings, job list, output naming, printers.
class TMainForm {
public:
    explicit TMainForm(FormEnvironment environment);
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    FormModel& Model() { return fModel; }
    settings::TRegManager& RegManager1() { return *fRegManager; }
    const std::string& IniFileName() const;
    bool IniFileExists() const;

    // Life of the window (MainForm.cpp).
    void FormCreate();
    void FormShow();
    void FormClose();

    // Job list (MainFormJobList.cpp). The pop-up menu items call the same handlers.
    void BtnNewFilesClick();
    void BtnApendFileClick();
    void BtnUpClick();
    void BtnDownClick();
    void BtnlClearListClick();
    void BtnAllClearListClick();
    // The user toggled the check box of the list's current item (Model().CheckListBox1's
    // ItemIndex); the mark is put back, since only a run sets marks.
    void CheckListBox1ClickCheck();
    // Files dropped on the window, in the order the drop delivered them.
    void FormDropFiles(const std::vector<std::string>& paths);

    // Conversion runs (MainFormRun.cpp).
    void BtnPDFAllClick();
    void BtnStopAutoCheckClick();
    void BtnAutoCheckClick();
    void BtnOpenFileClick();
    void Timer1Timer();
    // 1 when the run started, -1 when it was refused.
    int InitializeConverterList();
    void StopAutoCheckClick();
    void ExecuteListConvert();
    void ConvertButtonClick(const std::string& path);
    // 1 when the print request was made, 0 when it failed.
    int ConvertPDF(const std::string& path);
    void CompleteMessage();
    bool OpenFile(const std::string& path);
    bool IsImageFile(const std::string& extension) const;
    // The extension of `path` with its dot, in lower case.
    static std::string LowerExtension(const std::string& path);
    void ButtonEnableFalse();
    void ButtonEnableTrue();
    // Ends a stop that waited for the entry in progress: timer off, status labels emptied,
    // the default printer put back.
    void CompleteStop();
    // The text of a shell error code; empty for codes without one.
    static std::string ShellErrorText(int code);
    // The text of a failure recorded in Run.FErrorCodes: a shell error code's text, or the reason.
    static std::string FailureText(const std::string& codeOrReason);

    // Save-dialog automation (MainFormSaveDialog.cpp).
    void ControlDialog();
    // The window of the chosen writer's Save dialog (its owner), or 0; sets FDialogVariant.
    platform::WindowHandle ExistSaveDialg();
    struct TSaveDialogRecord {
        bool Found = false;
        platform::WindowHandle Edit = 0;
        platform::WindowHandle Button = 0;
        platform::WindowHandle Combo = 0;
    };
    struct TOverwriteRecord {
        bool Found = false;
        platform::WindowHandle Yes = 0;
        platform::WindowHandle No = 0;
    };
    int IsComboSaveDialog(platform::WindowHandle dialog, TSaveDialogRecord& record);
    int IsOverWriteDialog(platform::WindowHandle candidate, TOverwriteRecord& record);
    void OperateSaveDialog(platform::WindowHandle edit, platform::WindowHandle button);
    void OperateOverWriteDialog(platform::WindowHandle yes);
    void SendMessageClickLeftMouseBtn(platform::WindowHandle window);

    // Batch runs (MainFormMerge.cpp).
    void BtnMergeClick();
    void MergePDF();
    // The name the merged file is made from, before the naming rules (the job list must not
    // be empty).
    std::string MergeBaseName() const;

    std::string FMergeOutputPath;

    // Settings pages (MainFormSettings.cpp): each handler writes its setting at once.
    void SaveIniFile();
    void RBtnOutPut1Click();
    void RadioGroup1Click();
    void CkbAppendStrClick();
    void EdtAddNewPathChange();
    void EdtAddOldPathChange();
    void EdtApendStrChange();
    void RGDDClick();
    void CkbMessageClick();
    void UpdownEdit_delayTimeChange();
    void UpdownEdit_MergeDelayTimeChange();
    void CkbMergeFileDeleteClick();
    void ChkMergeFileClick();
    void RBtnMerge1Click();
    void EdtMergeFileNameChange();
    void EdtMergeAddStringChange();
    void BtnSelectFolderClick();
    // Only digits are typed into the hidden EdtXeroTime; returns whether `key` is accepted.
    bool EdtXeroTimeKeyPress(char32_t key);
    void BtnAboutClick();
    void Button1Click();
    // Image settings page.
    void ScrollBar1Change();
    void EdtCompressChange();
    void MarginTopChange();
    void MarginBottomChange();
    void MarginLeftChange();
    void MarginRightChange();
    void RadioGroupGrPaperSizeClick();
    void CmbPaperSizeChange();
    void RGPaperDirectionClick();
    void EdtPaperWidthChange();
    void EdtPaperHeightChange();
    void EdtImageWidthChange();
    void EdtImageHeightChange();
    void ChkBoxGraphicPropotionClick();
    void ChkBoxGraphicCenterClick();
    void RGImageSizeClick();

    // The plug-in host: only image-input plug-ins stay loaded, and their extensions are
    // registered unchanged.
    void SPIs1Search(spi::TSPIs& Sender, spi::TSPI& ASPI, bool& Accept);
    void SPIs1PictureRegister(spi::TSPIs& Sender, spi::TInSPI& ASPI, const std::string& AExtension,
                              const std::string& ADescription,
                              const graphics::TGraphicClass*& AGraphicClass);

    // Output naming (MainFormNaming.cpp).
    std::string MakeSaveFilePath(const std::string& baseName);
    // The path MakeSaveFilePath would give after the run has written `plannedBefore`, without
    // deleting or renaming anything.
    std::string PlannedSaveFilePath(const std::string& baseName,
                                    const std::vector<std::string>& plannedBefore);
    std::string SelectOverWriteMode(const std::string& path);
    // `alsoTaken`: names counted as taken though no file has them yet.
    std::string AppendToFileName(const std::string& name, const std::string& suffix,
                                 const std::vector<std::string>& alsoTaken = {});
    void IsDirectoryExist();

    // PDF printer and printer choice (MainFormPrinters.cpp).
    void SetPrinterName();
    void CmbPDFWriterChange();
    void CmbPrinterDrvChange();
    // The printer that is the system default now, as a position in the printer list, stored
    // in SavedDefaultPrinterIndex.
    void FindDefaultPrinter();
    // Makes the printer at `chosenIndex` the system default unless it already is.
    void MakePrinterDefault(int chosenIndex);
    // Puts back the default printer of SavedDefaultPrinterIndex.
    void RestoreDefaultPrinter();
    // The kind of writer a printer name stands for (exact names; any other name is wkOther).
    static TWriterKind WriterKind(const std::string& printerName);
    // The same, knowing this system's dialog-free writers (MainFormWriterJob.cpp).
    TWriterKind PdfWriterKind(const std::string& printerName);

    // Settings held outside the controls.
    std::string OutputDir;
    std::string LastConvertedFile;

    // Run state of the conversion driver.
    TRunState Run;
    std::vector<std::string> FFilePaths;
    std::vector<std::string> FImageExtensions;

    // Printer choice.
    int PDFWriterIndex = 0;
    int PrinterDrvIndex = 0;
    int SavedDefaultPrinterIndex = 0;
    TWriterKind PDFWriterKind = TWriterKind::wkOther;
    TWriterKind PrinterDrvKind = TWriterKind::wkOther;
    PrinterSelectorPtr plSetPDFWriter;
    PrinterSelectorPtr plSetPrinter;
    PrinterSelectorPtr plSetDummyPrinter;

    std::unique_ptr<spi::TSPIs> SPIs1;

    // Path separator of this system; the path rules take it as a parameter.
    static constexpr char kPathDelimiter = platform::kPathDelimiter;

private:
    void CreatePrinterSelectors();
    // Names of the dialog-free writers offered after the printers.
    std::vector<std::string> ExtraWriters();
    // Stores the writer shown in the combo (its printer index, -1 for a dialog-free writer).
    void StoreWriterChoice(int printerIndex);
    void RegisterSettingsItems();
    void LoadSettings();
    void LoadImageSettings();
    void BuildImageExtensions();
    void AddJob(const std::string& path);
    // Moves every selected job one place: `step` -1 up, +1 down.
    void MoveSelectedJobs(int step);
    std::string FitToList(const std::string& path);
    void ResetRunPosition(bool prepared);
    // Folder, appended text and ".pdf": the output path before the same-name policy.
    std::string SaveFilePathBeforePolicy(const std::string& baseName);
    bool BelongsToRun(const std::string& path, const std::vector<std::string>& written) const;

    // Pieces of a run (MainFormRun.cpp, MainFormSaveDialog.cpp, MainFormMerge.cpp).
    void StartRun();
    void MakeWriterDefault();
    // The controls a run disables and gives back.
    void SetRunButtonsEnabled(bool enabled);
    void FinishRun();
    void ShowRunLabels();
    void ClearStatusLabels();
    void UpdateProgress();
    void TickEntry(int index);
    void FinishEntry();
    // Records a failed entry for the summary: its file name and a shell error code or a reason.
    void RecordFailure(const std::string& path, const std::string& codeOrReason);
    // The full path of the entry in progress; empty when none is.
    std::string CurrentEntry() const;
    void WaitForProcess(platform::Process* process);
    int DelayTime();
    TSaveDialogRecord CheckSaveDialog(platform::WindowHandle candidate);
    TSaveDialogRecord FindControls(platform::WindowHandle dialog,
                                   const std::vector<std::string>& buttonCaptions);
    int IsFormsSaveDialog(platform::WindowHandle dialog, TSaveDialogRecord& record);
    bool FillFileName(platform::WindowHandle edit, const std::string& path);
    // The dialog-free writers: start a job and follow it to its PDF.
    int StartWriterJob(const std::string& path);
    // The run's documents from the current one on that go to the writer.
    std::vector<std::string> UpcomingWriterDocuments() const;
    void PollWriterJob();
    void PlaceWriterOutput(const std::string& produced);
    bool DrivenWriter() const;
    bool MergeFileReady(const std::string& path);
    // Waits for each PDF of the merge list to be complete; drops and returns those that never are.
    std::vector<std::string> ExistingMergeFiles();
    bool WriteMergeList(const std::string& listFile);
    void RecycleProducedFiles(const platform::CombineResult& merged);
    void RecycleFiles(const std::vector<std::string>& paths);
    std::string MergeListPath() const;

    // Setters that behave like the window's controls: the control's event runs only when the
    // value really changes, also when the program makes the change.
    void SetText(Control& control, const std::string& text, void (TMainForm::*changed)());
    void SetChecked(Control& control, bool checked, void (TMainForm::*clicked)());
    // Checks `on` and unchecks its partner `off`; the click event runs when `on` was unchecked.
    void SetRadio(Control& on, Control& off, void (TMainForm::*clicked)());
    void SetItemIndex(Control& control, int index, void (TMainForm::*clicked)());
    void SetValue(Control& control, int value, void (TMainForm::*changed)());

    void WriteInteger(const char* item, int value);
    void WriteString(const char* item, const std::string& value);
    void WriteFloat(const char* item, double value);
    void WriteFlag(const char* item, bool value);
    int ReadInteger(const char* item);
    std::string ReadString(const char* item);

    // The job of a dialog-free writer for the entry in progress, and when it started.
    std::unique_ptr<platform::WriterJob> fWriterJob;
    std::chrono::milliseconds fWriterJobStart{0};

    FormEnvironment fEnv;
    FormModel fModel;
    std::unique_ptr<settings::TRegManager> fRegManager;

    // --- Image settings page and picture conversion (MainFormImage.cpp) ---
public:
    // Converts the current entry, a picture (FFilePaths[Run.FStartedCount - 1]), into a
    // one-page PDF named by MakeSaveFilePath, then completes a stop that came meanwhile.
    void ConvertGraphicFileToPDF();
    // Whole millimetres to points, rounded down; throws std::overflow_error past 32 bits.
    static int mmTopoint(int mm);
    // Places the picture in the content box: 0 when placed, -1 without a picture or when the
    // placement fails (with a message).
    int Kakudai();
    const TImagePage& ImagePage() const { return *fImagePage; }

private:
    static ImagePagePtr MakeImagePage();
    // The page's margins from the margin fields, then the layout; once the settings are in.
    void ShowImagePage();
    // The page size for the paper mode, then the placement.
    void RecomputePaper();
    void SetPaperChecks(bool followImage);
    void SetStandardPaper();
    void SetUserPaper();
    void FitPaperToImage();
    void PlaceKeepingAspect(int contentWidth, int contentHeight);
    void ChangeMargin(Control& field, void (pdf::TPRPage::*setMargin)(int), const char* item);
    // The dimension matching `given` for a picture of `along` × `across` pixels.
    static int Proportional(int across, int given, int along);
    void ShowUnreadable(const std::string& path);
    // Decodes and compresses the picture into FJpeg; false (message shown) when it cannot.
    bool CompressPicture(const std::string& path);
    // Writes the page to the output path of `path`; on success the PDF joins the run's lists.
    void WriteGraphicPdf(const std::string& path);

    ImagePagePtr fImagePage = MakeImagePage();
    // The page is laid out from the fields only once the window has loaded them.
    bool fImagePageLoaded = false;
};

}  // namespace korvent::app
