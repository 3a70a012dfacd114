// PLACEHOLDER until the printer selector lands: the printer engineer replaces this whole
// file with the real printer choice (filling CmbPDFWriter/CmbPrinterDrv from the three
// TplSetPrinter selectors, restoring PDFWriter1Name, the writer kinds, and making and
// restoring the default printer). Until then the window behaves as on a machine without
// printers: both combos stay empty, every kind is -1 and no default printer is touched.
//
// Whatever replaces it must define every member declared under "PDF printer and printer
// choice" in MainForm.h, CreatePrinterSelectors(), PrinterSelectorDeleter::operator(), and
// give the three pages their captions at the end of SetPrinterName().
#include "app/MainForm.h"

#include "settings/RegFiler.h"
#include "settings/RegManager.h"

namespace korvent::app {

// No selector is ever created here, so there is nothing to delete.
void PrinterSelectorDeleter::operator()(printer::TplSetPrinter*) const {}

void TMainForm::CreatePrinterSelectors() {}

void TMainForm::SetPrinterName() {
    FormModel& m = fModel;
    m.CmbPDFWriter.Items.clear();
    m.CmbPDFWriter.Text.clear();
    m.CmbPrinterDrv.Items.clear();
    m.CmbPrinterDrv.Text.clear();
    SavedDefaultPrinterIndex = PDFWriterIndex;
    FindDefaultPrinter();
    if (IniFileExists()) {
        // With no printers the saved name can never be found: store the (empty) default.
        fRegManager->Items("PDFWriter1Name").WriteString(m.CmbPDFWriter.Text);
        fRegManager->Items("PDFWriter1").WriteInteger(-1);
        m.CmbPDFWriter.ItemIndex = -1;
    }
    PDFWriterIndex = -1;
    PrinterDrvIndex = -1;
    PDFWriterKind = WriterKind(m.CmbPDFWriter.Text);
    PrinterDrvKind = WriterKind(m.CmbPrinterDrv.Text);
    m.PageControl1.Items = {"実行", "画像設定", "詳細設定"};
}

void TMainForm::CmbPDFWriterChange() {
    PDFWriterIndex = -1;
    PDFWriterKind = WriterKind(fModel.CmbPDFWriter.Text);
    fRegManager->Items("PDFWriter1").WriteInteger(PDFWriterIndex);
    fRegManager->Items("PDFWriter1Name").WriteString(fModel.CmbPDFWriter.Text);
}

void TMainForm::CmbPrinterDrvChange() {
    PrinterDrvIndex = -1;
    PrinterDrvKind = WriterKind(fModel.CmbPrinterDrv.Text);
    fRegManager->Items("Printer1").WriteInteger(PrinterDrvIndex);
}

void TMainForm::FindDefaultPrinter() {}

void TMainForm::MakePrinterDefault(int) {}

void TMainForm::RestoreDefaultPrinter() {}

int TMainForm::WriterKind(const std::string& printerName) {
    static const char* const kWriters[] = {"PrimoPDF", "クセロPDF", "クセロPDF2", "CutePDF Writer"};
    for (int kind = 0; kind < 4; ++kind) {
        if (printerName == kWriters[kind]) {
            return kind;
        }
    }
    return -1;
}

}  // namespace korvent::app
