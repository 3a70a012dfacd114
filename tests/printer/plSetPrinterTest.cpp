#include "printer/plSetPrinter.h"

#include <gtest/gtest.h>

#include "platform/Abort.h"
#include "platform/sim/SimPrintSystem.h"
#include "printer/RecordedDevData.h"

namespace korvent::printer {
namespace {

using platform::DeviceMode;
using platform::SimPrintSystem;

class PrinterSelectorTest : public ::testing::Test {
protected:
    // Printers as the system lists them; "*" in front marks a hidden one.
    void Install(std::initializer_list<std::string> names) {
        for (const std::string& n : names) {
            bool hidden = n.starts_with('*');
            system.AddPrinter(hidden ? n.substr(1) : n, hidden);
        }
    }

    std::unique_ptr<TplSetPrinter> Make() {
        if (!context) {
            context = std::make_shared<TPrinterContext>(system);
        }
        auto selector = std::make_unique<TplSetPrinter>(context);
        selector->OnPrinterChange = [this](TplSetPrinter&) { ++changes; };
        return selector;
    }

    // A selector loaded as the main window's are: a recorded block for "PrimoPDF".
    std::unique_ptr<TplSetPrinter> MakeLoaded(const std::string& name = "PrimoPDF") {
        auto selector = Make();
        selector->LoadProperties(
            {name, kRecordedDevDataSize, RecordedDevDataText(300),
             std::vector<TFormValue>{"クセロPDF", 0, "A4 (210 x 297 mm)", 9, 14, 778}});
        changes = 0;
        return selector;
    }

    SimPrintSystem system;
    std::shared_ptr<TPrinterContext> context;
    int changes = 0;
};

struct MatchCase {
    const char* wanted;
    int index;
    const char* name;
};

class PrinterNameMatchTest : public PrinterSelectorTest,
                             public ::testing::WithParamInterface<MatchCase> {};

TEST_P(PrinterNameMatchTest, FirstPrinterWhoseNameOccursInTheWantedOneWins) {
    Install({"*Fax", "クセロPDF", "クセロPDF2", "PrimoPDF", "CutePDF Writer"});
    auto selector = Make();
    EXPECT_EQ(selector->FindPrinterIndex(GetParam().wanted), GetParam().index);
    EXPECT_EQ(selector->FindPrinterName(GetParam().wanted), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PrinterNameMatchTest,
    ::testing::Values(MatchCase{"クセロPDF2", 1, "クセロPDF"},  // the shorter name comes first
                      MatchCase{"クセロPDF", 1, "クセロPDF"}, MatchCase{"primopdf", 3, "PrimoPDF"},
                      MatchCase{"PrimoPDF on LPT1:", 3, "PrimoPDF"},
                      MatchCase{"ｃｕｔｅPDF writer", -1, ""},  // full-width letters differ
                      MatchCase{"CUTEPDF WRITER", 4, "CutePDF Writer"},
                      MatchCase{"Fax", -1, ""},  // hidden printers never match
                      MatchCase{"", -1, ""}, MatchCase{"Primo", -1, ""}));

TEST_F(PrinterSelectorTest, NameWriteSelectsThePrinterOfExactlyThatName) {
    // The substring rule alone would select "クセロPDF" here, and a saved choice of
    // "クセロPDF2" would not survive a restart.
    Install({"クセロPDF", "クセロPDF2"});
    system.SetDeviceValue("クセロPDF,,");
    auto selector = MakeLoaded();
    selector->SetPrinterName("クセロpdf2");
    EXPECT_EQ(selector->PrinterIndex(), 1);
    EXPECT_EQ(selector->PrinterName(), "クセロPDF2");
    EXPECT_EQ(changes, 1);
    selector->SetPrinterName("クセロPDF2");
    EXPECT_EQ(changes, 1) << "the selected printer's own name again changes nothing";
}

TEST_F(PrinterSelectorTest, HiddenPrinterIsLeftOutOfTheListButCounted) {
    Install({"*Hidden", "A", "B"});
    auto selector = Make();
    EXPECT_EQ(selector->Printers(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(selector->FindPrinterIndex("B"), 2);
    EXPECT_EQ(selector->PrinterIndexOfPosition(1), 2);
    EXPECT_EQ(selector->PositionOfPrinterIndex(2), 1);
    EXPECT_EQ(selector->PositionOfPrinterIndex(0), -1);
    EXPECT_EQ(selector->PrinterIndexOfPosition(2), -1);
}

TEST_F(PrinterSelectorTest, DefaultIndexOnAFreshSelectorChangesNothing) {
    Install({"A", "B"});
    system.SetDeviceValue("B,,");
    auto selector = Make();
    selector->SetPrinterIndex(-1);
    selector->SetPrinterIndex(-1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(selector->PrinterIndex(), -1);
    EXPECT_EQ(selector->PrinterName(), "");
}

TEST_F(PrinterSelectorTest, DefaultIndexOnASelectedSelectorFollowsTheDefaultEachTime) {
    Install({"A", "B", "C"});
    system.SetDeviceValue("B,,");
    auto selector = MakeLoaded("A");
    ASSERT_EQ(selector->PrinterIndex(), 0);
    selector->SetPrinterIndex(-1);
    EXPECT_EQ(selector->PrinterIndex(), 1);
    EXPECT_EQ(selector->PrinterName(), "B");
    system.SetDeviceValue("C,,");
    selector->SetPrinterIndex(-1);
    EXPECT_EQ(selector->PrinterIndex(), 2);
    EXPECT_EQ(changes, 2);
}

TEST_F(PrinterSelectorTest, IndexWithoutPrinterSelectsTheDefault) {
    Install({"A", "B"});
    system.SetDeviceValue("B,,");
    auto selector = MakeLoaded("A");
    selector->SetPrinterIndex(7);
    EXPECT_EQ(selector->PrinterIndex(), 1);
    EXPECT_EQ(selector->Device(), "B");
    EXPECT_EQ(changes, 1);
    selector->SetPrinterIndex(0);
    EXPECT_EQ(selector->PrinterName(), "A");
    selector->SetPrinterIndex(0);
    EXPECT_EQ(changes, 2);
}

TEST_F(PrinterSelectorTest, WithoutPrintersEveryOperationDoesNothing) {
    auto selector = MakeLoaded();
    selector->SetPrinterIndex(0);
    selector->SetPrinterIndex(-1);
    selector->SetPrinterName("PrimoPDF");
    selector->UpdateFromPrinter(false);
    SetDefaultPrinterByIndex(*context, -1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(selector->PrinterName(), "");
    EXPECT_TRUE(selector->Printers().empty());
    EXPECT_EQ(selector->PrinterIndex(), -1);
    EXPECT_TRUE(system.DeviceWrites().empty());
    EXPECT_TRUE(system.Broadcasts().empty());
}

TEST_F(PrinterSelectorTest, MissingPrinterFallsBackToTheDefaultWithTheStoredSettingsOverIt) {
    Install({"A", "B"});
    DeviceMode letter("B");
    letter.SetPaperSize(DeviceMode::kPaperLetter);
    letter.SetCopies(3);
    letter.SetPrintQuality(600);
    letter.SetYResolution(600);
    system.SetPrinterDefaults("B", letter);
    system.SetDeviceValue("B,,");

    auto selector = MakeLoaded("PrimoPDF");
    EXPECT_EQ(selector->PrinterIndex(), 1);
    const DeviceMode* block = selector->DeviceModeBlock();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->DeviceName(), "B");
    EXPECT_EQ(block->PaperSize(), DeviceMode::kPaperA4);
    EXPECT_EQ(block->PaperWidth(), 2100);
    EXPECT_EQ(block->Copies(), 1);
    EXPECT_EQ(block->PrintQuality(), 300);
    EXPECT_EQ(block->RecordSize(), DeviceMode::kSize);
}

TEST_F(PrinterSelectorTest, RefusedMergeKeepsTheCopiedBytes) {
    Install({"A"});
    system.SetMergeRefused(true);
    auto selector = MakeLoaded("A");
    EXPECT_EQ(selector->DeviceModeBlock()->DeviceName(), "PrimoPDF");
    EXPECT_EQ(selector->DeviceModeBlock()->DriverExtra(), 696);
}

TEST_F(PrinterSelectorTest, InvalidHexSelectsTheDefaultWithWhatWasDecoded) {
    Install({"A", "B"});
    system.SetDeviceValue("B,,");
    system.SetMergeRefused(true);
    std::string text = RecordedDevDataText(300);
    text.replace(54 * 2, 2, "05");  // five copies
    text.replace(56 * 2, 2, "G7");  // the bin is not hexadecimal
    auto selector = Make();
    selector->LoadProperties({"A", kRecordedDevDataSize, text, std::nullopt});
    EXPECT_EQ(selector->PrinterIndex(), 1);
    const DeviceMode* block = selector->DeviceModeBlock();
    EXPECT_EQ(block->Copies(), 5);
    EXPECT_EQ(block->DefaultSource(), 0) << "nothing after the bad pair is copied";
}

TEST_F(PrinterSelectorTest, StoredPropertiesRoundTrip) {
    Install({"PrimoPDF"});
    auto selector = MakeLoaded();
    TPrinterProperties stored = selector->StoredProperties();
    EXPECT_EQ(stored.PrinterName, "PrimoPDF");
    EXPECT_EQ(stored.DevDataSize, 864);
    EXPECT_EQ(stored.ADevData, RecordedDevDataText(300));
    EXPECT_EQ(selector->DesignValues().DriverVersion, 778);

    auto copy = Make();
    copy->LoadProperties(stored);
    EXPECT_EQ(copy->StoredProperties(), stored);
}

TEST_F(PrinterSelectorTest, StoredSizeLargerThanTheDataIsWrittenWithZeros) {
    Install({"A"});
    auto selector = Make();
    selector->LoadProperties({"A", 4, "ABC", std::nullopt});
    EXPECT_EQ(selector->StoredProperties().ADevData, "AB000000");
    selector->LoadProperties({"A", 3, std::nullopt, std::nullopt});
}

TEST_F(PrinterSelectorTest, MalformedDesignValueAbortsSilently) {
    Install({"A"});
    auto selector = Make();
    std::vector<TFormValue> swapped{0, "x", "A4", 9, 7, 1};
    EXPECT_THROW(selector->ReadDesignValue(swapped), EAbort);
    std::vector<TFormValue> shortList{"A", 0, "A4"};
    EXPECT_THROW(selector->ReadDesignValue(shortList), EAbort);
}

TEST_F(PrinterSelectorTest, UpdateFromPrinterTakesTheObjectsPrinterAndCapturesItsBlock) {
    Install({"クセロPDF", "クセロPDF2"});
    system.SetDeviceValue("クセロPDF2,,");
    auto selector = MakeLoaded("クセロPDF");
    context->Printer().SetPrinterIndex(-1);
    selector->UpdateFromPrinter(false);
    EXPECT_EQ(selector->PrinterIndex(), 1);
    EXPECT_EQ(selector->DevDataSize(), static_cast<int>(DeviceMode::kSize));
    EXPECT_EQ(selector->DevData()[0], static_cast<std::uint8_t>(0xE3)) << "name of クセロPDF2";
}

TEST_F(PrinterSelectorTest, CountIsFixedAtConstructionButPrinterCountEnumeratesAgain) {
    Install({"A", "B"});
    auto selector = Make();
    system.AddPrinter("C");
    EXPECT_EQ(selector->PrinterCount(), 3);
    EXPECT_EQ(selector->Printers().size(), 2u);
    EXPECT_EQ(selector->FindPrinterIndex("C"), -1);
    system.RemovePrinter("A");
    system.RemovePrinter("B");
    EXPECT_EQ(selector->PrinterCount(), 1);
    EXPECT_EQ(selector->Printers(), (std::vector<std::string>{"C"}));
}

TEST_F(PrinterSelectorTest, FailingEnumerationIsReported) {
    Install({"A"});
    auto selector = Make();
    system.SetEnumerationFails(true);
    EXPECT_THROW(selector->PrinterCount(), korvent::Exception);
}

TEST_F(PrinterSelectorTest, PortSuffixedEntriesResolveToTheirPrinter) {
    system.SetNtFamily(false);
    system.AddPrinter("Laser", false, "LaserDrv", "LPT1:");
    system.AddPrinter("PrimoPDF", false, "PrimoDrv", "PRIMOPORT:");
    system.SetDeviceValue("Laser,LaserDrv,LPT1:");
    auto selector = MakeLoaded();
    EXPECT_EQ(selector->PrinterIndex(), 1);
    EXPECT_EQ(selector->PrinterName(), "PrimoPDF");
    EXPECT_EQ(selector->Port(), "PRIMOPORT:");
    EXPECT_EQ(context->Printer().Printers()[1], "PrimoPDF on PRIMOPORT:");
}

struct DefaultValueCase {
    bool nt;
    int index;
    const char* value;
};

class DefaultPrinterValueTest : public PrinterSelectorTest,
                                public ::testing::WithParamInterface<DefaultValueCase> {};

TEST_P(DefaultPrinterValueTest, WritesDeviceValueAndAnnouncesIt) {
    system.SetNtFamily(GetParam().nt);
    system.AddPrinter("X", false, "XDrv", "LPT1:");
    system.AddPrinter(
        "ＰＤＦ　プリンター with a name longer than seventy-nine characters, "
        "which must not be cut short",
        false, "PDrv", "FILE:");
    system.SetDeviceValue("X,XDrv,LPT1:");
    auto selector = Make();
    SetDefaultPrinterByIndex(*context, GetParam().index);
    EXPECT_EQ(system.DeviceWrites(), std::vector<std::string>{GetParam().value});
    EXPECT_EQ(system.Broadcasts(), std::vector<std::string>{"windows"});
}

INSTANTIATE_TEST_SUITE_P(
    Families, DefaultPrinterValueTest,
    ::testing::Values(DefaultValueCase{true, 0, "X,,"}, DefaultValueCase{false, 0, "X,XDrv,LPT1:"},
                      DefaultValueCase{true, -1, "X,,"}, DefaultValueCase{true, 5, "X,,"},
                      DefaultValueCase{true, 1,
                                       "ＰＤＦ　プリンター with a name longer than seventy-nine "
                                       "characters, which must not be cut short,,"}));

TEST_F(PrinterSelectorTest, StaleDefaultMakesTheFirstPrinterCurrent) {
    Install({"A", "B"});
    system.SetDeviceValue("Gone,,");
    auto selector = MakeLoaded("Nothing");
    EXPECT_EQ(selector->PrinterIndex(), 0);
}

}  // namespace
}  // namespace korvent::printer
