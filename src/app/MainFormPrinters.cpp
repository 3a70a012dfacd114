// The PDF printer and the paper printer of the detailed-settings page, and the system default
// printer that a run changes and puts back.
#include "app/MainForm.h"

#include <algorithm>
#include <chrono>

#include "app/SettingItems.h"
#include "platform/Clock.h"
#include "platform/DocumentWriter.h"
#include "platform/TextCase.h"
#include "printer/RecordedDevData.h"
#include "printer/plSetPrinter.h"
#include "settings/RegFiler.h"
#include "settings/RegManager.h"

namespace korvent::app {

namespace {

using printer::TplSetPrinter;

// The print system of a program started without one: no printers, no default.
class NoPrinters final : public platform::PrintSystem {
public:
    bool NtFamily() const override { return true; }
    std::vector<platform::PrinterRecord> EnumPrinters() override { return {}; }
    std::string DefaultPrinterName() override { return {}; }
    bool WriteDefaultDevice(const std::string&) override { return false; }
    void BroadcastSettingChange(const std::string&) override {}
    std::optional<platform::DeviceMode> DefaultDeviceMode(const std::string&) override {
        return std::nullopt;
    }
    bool MergeDeviceMode(const std::string&, platform::DeviceMode&) override { return false; }
};

// The properties the three selectors are stored with in the window: a block recorded from
// "PrimoPDF" and the printer the form was designed with.
printer::TPrinterProperties FormProperties(int resolution, const printer::TDesignValues& d) {
    return {"PrimoPDF", printer::kRecordedDevDataSize, printer::RecordedDevDataText(resolution),
            std::vector<printer::TFormValue>{d.PrinterName, d.Landscape, d.PaperName, d.PaperSize,
                                             d.DefaultSource, d.DriverVersion}};
}

// Shows the item at `position` as a combo box does when its selection is set.
void SelectComboItem(Control& combo, int position) {
    combo.ItemIndex =
        position >= 0 && position < static_cast<int>(combo.Items.size()) ? position : -1;
    combo.Text = combo.ItemIndex >= 0 ? combo.Items[static_cast<std::size_t>(combo.ItemIndex)]
                                      : std::string();
}

// The selected printer's position in the combo: positions skip hidden printers, which the
// printer indices count.
int ComboPosition(TplSetPrinter& selector) {
    return selector.PositionOfPrinterIndex(selector.PrinterIndex());
}

// The printer index of the combo's selected item (−1 without a selection).
int ChosenPrinterIndex(TplSetPrinter& selector, const Control& combo) {
    return selector.PrinterIndexOfPosition(combo.ItemIndex);
}

// The combo's text follows its selected item, whatever set the selection.
void SyncComboText(Control& combo) {
    if (combo.ItemIndex >= 0 && combo.ItemIndex < static_cast<int>(combo.Items.size())) {
        combo.Text = combo.Items[static_cast<std::size_t>(combo.ItemIndex)];
    }
}

}  // namespace

void PrinterSelectorDeleter::operator()(printer::TplSetPrinter* selector) const {
    delete selector;
}

void TMainForm::CreatePrinterSelectors() {
    static NoPrinters noPrinters;
    platform::PrintSystem& system =
        fEnv.services.printSystem ? *fEnv.services.printSystem : noPrinters;
    auto context = std::make_shared<printer::TPrinterContext>(system);
    auto make = [&](int resolution, const printer::TDesignValues& design) {
        PrinterSelectorPtr selector(new TplSetPrinter(context));
        selector->LoadProperties(FormProperties(resolution, design));
        return selector;
    };
    const printer::TDesignValues paper{"EPSON PM-G700", 0, "A4 210 x 297 mm", 9, 7, 1168};
    plSetPDFWriter = make(300, {"クセロPDF", 0, "A4 (210 x 297 mm)", 9, 14, 778});
    plSetPrinter = make(600, paper);
    plSetDummyPrinter = make(600, paper);
}

std::vector<std::string> TMainForm::ExtraWriters() {
    return fEnv.services.documentWriters ? fEnv.services.documentWriters->ExtraWriterNames()
                                         : std::vector<std::string>{};
}

void TMainForm::SetPrinterName() {
    FormModel& m = fModel;

    const std::vector<std::string>& printers = plSetPDFWriter->Printers();
    const std::vector<std::string> extras = ExtraWriters();
    // The dialog-free writers come after the printers, so that a printer's position in the
    // combo stays its position in the printer list.
    m.CmbPDFWriter.Items = printers;
    m.CmbPDFWriter.Items.insert(m.CmbPDFWriter.Items.end(), extras.begin(), extras.end());
    plSetPDFWriter->SetPrinterIndex(-1);
    m.CmbPDFWriter.Text = plSetPDFWriter->PrinterName();

    m.CmbPrinterDrv.Items = plSetPrinter->Printers();
    plSetPrinter->SetPrinterIndex(-1);
    m.CmbPrinterDrv.Text = plSetPrinter->PrinterName();

    SavedDefaultPrinterIndex = PDFWriterIndex;
    FindDefaultPrinter();

    const std::string saved = IniFileExists() ? ReadString(item::PDFWriter1Name) : std::string();
    bool installed = false;
    for (const std::string& p : printers) {
        installed = installed || platform::SameTextIgnoringCase(p, saved);
    }
    const auto extra = std::find(extras.begin(), extras.end(), saved);
    if (!saved.empty() && extra != extras.end()) {
        SelectComboItem(m.CmbPDFWriter,
                        static_cast<int>(printers.size() + (extra - extras.begin())));
    } else if (!saved.empty() && installed) {
        plSetPDFWriter->SetPrinterName(saved);
        SelectComboItem(m.CmbPDFWriter, ComboPosition(*plSetPDFWriter));
    } else if (!extras.empty() && PdfWriterKind(m.CmbPDFWriter.Text) == TWriterKind::wkOther) {
        // No writer chosen yet and the default printer makes paper: the export writer
        // instead, so that a first run never prints documents by surprise.
        SelectComboItem(m.CmbPDFWriter, static_cast<int>(printers.size()));
        StoreWriterChoice(-1);
    } else if (IniFileExists()) {
        // The saved printer is gone (or none was saved): the default printer takes its place.
        SelectComboItem(m.CmbPDFWriter, ComboPosition(*plSetPDFWriter));
        StoreWriterChoice(m.CmbPDFWriter.ItemIndex);
    }

    PDFWriterIndex = plSetPDFWriter->PrinterIndex();
    PrinterDrvIndex = plSetPrinter->PrinterIndex();
    PDFWriterKind = PdfWriterKind(m.CmbPDFWriter.Text);
    PrinterDrvKind = WriterKind(m.CmbPrinterDrv.Text);

    // Gives the printer changes time to settle before the window goes on.
    fEnv.services.clock.Sleep(std::chrono::milliseconds(1000));

    m.PageControl1.Items = {"実行", "画像設定", "詳細設定"};
}

void TMainForm::StoreWriterChoice(int printerIndex) {
    if (IniFileExists()) {
        WriteString(item::PDFWriter1Name, fModel.CmbPDFWriter.Text);
        WriteInteger(item::PDFWriter1, printerIndex);
    }
}

void TMainForm::CmbPDFWriterChange() {
    Control& combo = fModel.CmbPDFWriter;
    SyncComboText(combo);
    PDFWriterKind = PdfWriterKind(combo.Text);
    if (combo.ItemIndex >= static_cast<int>(plSetPDFWriter->Printers().size())) {
        // A dialog-free writer is no printer: the printer choice stays as it was.
        StoreWriterChoice(-1);
        return;
    }
    plSetPDFWriter->SetPrinterIndex(ChosenPrinterIndex(*plSetPDFWriter, combo));
    PDFWriterIndex = plSetPDFWriter->PrinterIndex();
    WriteInteger(item::PDFWriter1, plSetPDFWriter->PrinterIndex());
    WriteString(item::PDFWriter1Name, plSetPDFWriter->PrinterName());
}

void TMainForm::CmbPrinterDrvChange() {
    Control& combo = fModel.CmbPrinterDrv;
    SyncComboText(combo);
    plSetPrinter->SetPrinterIndex(ChosenPrinterIndex(*plSetPrinter, combo));
    PrinterDrvIndex = plSetPrinter->PrinterIndex();
    PrinterDrvKind = WriterKind(combo.Text);
    WriteInteger(item::Printer1, plSetPrinter->PrinterIndex());
}

void TMainForm::FindDefaultPrinter() {
    TplSetPrinter& probe = *plSetDummyPrinter;
    // While a default this program set is still waiting to be put back (a run whose stop never
    // completed), the default now is not the user's: the one remembered before stays.
    if (probe.Context().DefaultChanged) {
        return;
    }
    probe.SetPrinterIndex(-1);
    const std::string name = probe.PrinterName();
    const std::vector<std::string>& printers = probe.Printers();
    for (std::size_t k = 0; k < printers.size(); ++k) {
        if (printers[k] == name) {
            SavedDefaultPrinterIndex = static_cast<int>(k);
        }
    }
}

void TMainForm::MakePrinterDefault(int chosenIndex) {
    TplSetPrinter& probe = *plSetDummyPrinter;
    probe.SetPrinterIndex(-1);
    probe.UpdateFromPrinter(false);
    // The chosen index is a position in the printer combo.
    const int chosen = probe.PrinterIndexOfPosition(chosenIndex);
    if (chosen != probe.PrinterIndex()) {
        printer::SetDefaultPrinterByIndex(probe.Context(), chosen);
        probe.Context().DefaultChanged = true;
    }
}

void TMainForm::RestoreDefaultPrinter() {
    TplSetPrinter& probe = *plSetDummyPrinter;
    // Only a default this program changed is put back: a default the user chose meanwhile
    // (while no run was going on) stays.
    if (!probe.Context().DefaultChanged) {
        return;
    }
    probe.SetPrinterIndex(-1);
    probe.UpdateFromPrinter(false);
    const int saved = probe.PrinterIndexOfPosition(SavedDefaultPrinterIndex);
    if (saved != probe.PrinterIndex()) {
        printer::SetDefaultPrinterByIndex(probe.Context(), saved);
    }
    probe.Context().DefaultChanged = false;
}

TWriterKind TMainForm::WriterKind(const std::string& printerName) {
    static const char* const kWriters[] = {"PrimoPDF", "クセロPDF", "クセロPDF2", "CutePDF Writer"};
    for (int kind = 0; kind < 4; ++kind) {
        if (printerName == kWriters[kind]) {
            return static_cast<TWriterKind>(kind);
        }
    }
    return TWriterKind::wkOther;
}

}  // namespace korvent::app
