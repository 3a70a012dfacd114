#include <gtest/gtest.h>

#include "FormFixture.h"
#include "platform/sim/SimPrintSystem.h"
#include "printer/plSetPrinter.h"

namespace korvent::app {
namespace {

using namespace std::chrono_literals;

// The main window over simulated printers.
class PrinterChoiceTest : public FormFixture {
protected:
    PrinterChoiceTest() { printSystem = &printers; }

    // Printers in the system's order; "*" in front marks a hidden one.
    void Install(std::initializer_list<std::string> names, const std::string& defaultPrinter) {
        for (const std::string& n : names) {
            bool hidden = n.starts_with('*');
            printers.AddPrinter(hidden ? n.substr(1) : n, hidden);
        }
        printers.SetDeviceValue(defaultPrinter + ",,");
    }

    // The user picks an entry of the PDF-printer combo.
    void Choose(const std::string& name) {
        Control& combo = M().CmbPDFWriter;
        auto it = std::find(combo.Items.begin(), combo.Items.end(), name);
        ASSERT_NE(it, combo.Items.end()) << name;
        combo.ItemIndex = static_cast<int>(it - combo.Items.begin());
        combo.Text = name;
        form->CmbPDFWriterChange();
    }

    std::string Saved(const std::string& ident) {
        return profiles.Lookup(kIni, "Driver", ident).value_or("<none>");
    }

    platform::SimPrintSystem printers;
};

TEST_F(PrinterChoiceTest, FirstStartListsThePrintersAndStoresTheDefault) {
    Install({"PrimoPDF", "CutePDF Writer", "Laser"}, "CutePDF Writer");
    TMainForm& f = Create();
    EXPECT_EQ(M().CmbPDFWriter.Items,
              (std::vector<std::string>{"PrimoPDF", "CutePDF Writer", "Laser"}));
    EXPECT_EQ(M().CmbPrinterDrv.Items, M().CmbPDFWriter.Items);
    EXPECT_EQ(M().CmbPDFWriter.Text, "CutePDF Writer");
    EXPECT_EQ(M().CmbPDFWriter.ItemIndex, -1) << "without a settings file only the text is set";
    EXPECT_EQ(f.PDFWriterKind, TWriterKind::wkCutePDF);
    EXPECT_EQ(f.PDFWriterIndex, 1);
    EXPECT_EQ(f.SavedDefaultPrinterIndex, 1);
    EXPECT_EQ(Saved("Name"), "CutePDF Writer");
    EXPECT_EQ(Saved("Driver"), "1");
    EXPECT_EQ(clock.Sleeps(), std::vector<std::chrono::milliseconds>{1000ms});
    EXPECT_EQ(M().PageControl1.Items, (std::vector<std::string>{"実行", "画像設定", "詳細設定"}));
    EXPECT_TRUE(printers.DeviceWrites().empty());
}

TEST_F(PrinterChoiceTest, ChoiceSurvivesARestartEvenWhenAnotherNameStartsTheSame) {
    Install({"Laser", "クセロPDF", "クセロPDF2"}, "Laser");
    Create();
    Choose("クセロPDF2");
    EXPECT_EQ(form->PDFWriterKind, TWriterKind::wkXeroPDF2);
    EXPECT_EQ(form->PDFWriterIndex, 2);
    EXPECT_EQ(Saved("Name"), "クセロPDF2");
    EXPECT_EQ(Saved("Driver"), "2");

    TMainForm& again = Create();
    EXPECT_EQ(M().CmbPDFWriter.ItemIndex, 2);
    EXPECT_EQ(M().CmbPDFWriter.Text, "クセロPDF2");
    EXPECT_EQ(again.PDFWriterKind, TWriterKind::wkXeroPDF2);
    EXPECT_EQ(again.plSetPDFWriter->PrinterName(), "クセロPDF2");
}

TEST_F(PrinterChoiceTest, SavedNameInAnotherLetterCaseRestoresTheInstalledSpelling) {
    Install({"PrimoPDF", "CutePDF Writer"}, "PrimoPDF");
    profiles.SetText(kIni, "[Driver]\nDriver=1\nName=cutepdf WRITER\n");
    TMainForm& f = Create();
    EXPECT_EQ(M().CmbPDFWriter.ItemIndex, 1);
    EXPECT_EQ(M().CmbPDFWriter.Text, "CutePDF Writer");
    EXPECT_EQ(f.PDFWriterKind, TWriterKind::wkCutePDF);
    EXPECT_EQ(Saved("Name"), "cutepdf WRITER") << "a restored choice is not written again";
}

TEST_F(PrinterChoiceTest, SavedPrinterThatIsGoneIsReplacedByTheDefaultSilently) {
    Install({"PrimoPDF", "Laser"}, "Laser");
    profiles.SetText(kIni, "[Driver]\nDriver=0\nName=CutePDF Writer\n");
    TMainForm& f = Create();
    EXPECT_EQ(Saved("Name"), "Laser");
    EXPECT_EQ(Saved("Driver"), "1");
    EXPECT_EQ(M().CmbPDFWriter.ItemIndex, 1);
    EXPECT_EQ(f.PDFWriterKind, TWriterKind::wkOther);
    EXPECT_TRUE(messages.Calls().empty());
}

TEST_F(PrinterChoiceTest, HiddenPrinterDoesNotShiftTheChoice) {
    Install({"*Fax", "PrimoPDF", "CutePDF Writer"}, "PrimoPDF");
    TMainForm& f = Create();
    EXPECT_EQ(M().CmbPDFWriter.Items, (std::vector<std::string>{"PrimoPDF", "CutePDF Writer"}));
    EXPECT_EQ(f.SavedDefaultPrinterIndex, 0);
    Choose("CutePDF Writer");
    EXPECT_EQ(f.plSetPDFWriter->PrinterName(), "CutePDF Writer");
    EXPECT_EQ(Saved("Name"), "CutePDF Writer");
    EXPECT_EQ(Saved("Driver"), "2") << "the printer index counts the hidden printer";

    f.MakePrinterDefault(M().CmbPDFWriter.ItemIndex);
    EXPECT_EQ(printers.DeviceValue(), "CutePDF Writer,,");
    f.RestoreDefaultPrinter();
    EXPECT_EQ(printers.DeviceValue(), "PrimoPDF,,");

    Create();
    EXPECT_EQ(M().CmbPDFWriter.ItemIndex, 1);
}

TEST_F(PrinterChoiceTest, RunMakesTheWriterTheDefaultAndPutsThePreviousOneBack) {
    Install({"Laser", "PrimoPDF", "Inkjet"}, "Inkjet");
    TMainForm& f = Create();
    Choose("PrimoPDF");
    f.FindDefaultPrinter();
    EXPECT_EQ(f.SavedDefaultPrinterIndex, 2);
    f.MakePrinterDefault(M().CmbPDFWriter.ItemIndex);
    EXPECT_EQ(printers.DeviceWrites(), std::vector<std::string>{"PrimoPDF,,"});
    EXPECT_EQ(printers.Broadcasts(), std::vector<std::string>{"windows"});
    f.RestoreDefaultPrinter();
    EXPECT_EQ(printers.DeviceWrites(), (std::vector<std::string>{"PrimoPDF,,", "Inkjet,,"}));
    f.FormClose();
    EXPECT_EQ(printers.DeviceWrites().size(), 2u) << "nothing left to put back at close";
}

TEST_F(PrinterChoiceTest, WriterThatIsAlreadyTheDefaultIsLeftAlone) {
    Install({"Laser", "PrimoPDF"}, "PrimoPDF");
    TMainForm& f = Create();
    Choose("PrimoPDF");
    f.FindDefaultPrinter();
    f.MakePrinterDefault(M().CmbPDFWriter.ItemIndex);
    f.RestoreDefaultPrinter();
    f.FormClose();
    EXPECT_TRUE(printers.DeviceWrites().empty());
}

TEST_F(PrinterChoiceTest, DefaultChosenByTheUserBetweenRunsSurvivesClosing) {
    Install({"Laser", "PrimoPDF", "Inkjet"}, "Inkjet");
    TMainForm& f = Create();
    printers.SetDeviceValue("Laser,,");
    f.FormClose();
    EXPECT_EQ(printers.DeviceValue(), "Laser,,");
    EXPECT_TRUE(printers.DeviceWrites().empty());
}

TEST_F(PrinterChoiceTest, RunStillGoingAtCloseIsUndone) {
    Install({"Laser", "PrimoPDF"}, "Laser");
    TMainForm& f = Create();
    Choose("PrimoPDF");
    f.FindDefaultPrinter();
    f.MakePrinterDefault(M().CmbPDFWriter.ItemIndex);
    f.FormClose();
    EXPECT_EQ(printers.DeviceValue(), "Laser,,");
}

TEST_F(PrinterChoiceTest, RunStartedBeforeThePreviousOneWasUndoneKeepsTheUsersDefault) {
    Install({"Laser", "PrimoPDF"}, "Laser");
    TMainForm& f = Create();
    Choose("PrimoPDF");
    f.FindDefaultPrinter();
    f.MakePrinterDefault(M().CmbPDFWriter.ItemIndex);
    // The first run's stop never completed; a second run starts.
    f.FindDefaultPrinter();
    EXPECT_EQ(f.SavedDefaultPrinterIndex, 0);
    f.MakePrinterDefault(M().CmbPDFWriter.ItemIndex);
    f.RestoreDefaultPrinter();
    EXPECT_EQ(printers.DeviceValue(), "Laser,,");
}

TEST_F(PrinterChoiceTest, NoSelectionMakesTheCurrentDefaultTheDefaultAgain) {
    Install({"Laser", "PrimoPDF"}, "Laser");
    TMainForm& f = Create();
    f.MakePrinterDefault(-1);
    EXPECT_EQ(printers.DeviceWrites(), std::vector<std::string>{"Laser,,"});
}

TEST_F(PrinterChoiceTest, PaperPrinterChoiceIsStoredAsItsIndex) {
    Install({"Laser", "CutePDF Writer"}, "Laser");
    TMainForm& f = Create();
    M().CmbPrinterDrv.ItemIndex = 1;
    f.CmbPrinterDrvChange();
    EXPECT_EQ(M().CmbPrinterDrv.Text, "CutePDF Writer");
    EXPECT_EQ(f.PrinterDrvIndex, 1);
    EXPECT_EQ(f.PrinterDrvKind, TWriterKind::wkCutePDF);
    EXPECT_EQ(profiles.Lookup(kIni, "Driver", "Printer"), "1");
}

TEST_F(PrinterChoiceTest, WithoutPrintersNothingIsSelectedOrChanged) {
    TMainForm& f = Create();
    EXPECT_TRUE(M().CmbPDFWriter.Items.empty());
    EXPECT_EQ(M().CmbPDFWriter.Text, "");
    EXPECT_EQ(f.PDFWriterKind, TWriterKind::wkOther);
    EXPECT_EQ(f.PrinterDrvKind, TWriterKind::wkOther);
    f.CmbPDFWriterChange();
    f.FindDefaultPrinter();
    f.MakePrinterDefault(-1);
    f.RestoreDefaultPrinter();
    EXPECT_TRUE(printers.DeviceWrites().empty());
    EXPECT_EQ(Saved("Name"), "");
    EXPECT_EQ(Saved("Driver"), "-1");
}

}  // namespace
}  // namespace korvent::app
