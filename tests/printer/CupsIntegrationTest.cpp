// Integration tests of the printer code against a real CUPS scheduler that the tests start for
// themselves (see CupsServer). Without root or without CUPS installed they report themselves
// skipped.
#include <gtest/gtest.h>

#include <cups/cups.h>

#include <fstream>
#include <sstream>

#include "CupsServer.h"
#include "platform/posix/CupsPrintSystem.h"
#include "printer/RecordedDevData.h"
#include "printer/plSetPrinter.h"

namespace korvent::printer {
namespace {

using platform::CupsPrintSystem;
using platform::DeviceMode;
using testing::CupsServer;

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class CupsIntegrationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = new CupsServer;
        skipReason = server->Start();
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    void SetUp() override {
        if (!skipReason.empty()) {
            GTEST_SKIP() << skipReason;
        }
        // Made in an order other than the listing order, which is by name.
        AddQueue({"lpadmin", "-p", "Zeta", "-E", "-v", "file:/dev/null"});
        AddQueue({"lpadmin", "-p", "PDF", "-E", "-v", "cups-pdf:/", "-m",
                  "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"});
        AddQueue({"lpadmin", "-p", "alpha", "-E", "-v", "file:/dev/null"});
    }

    void TearDown() override {
        if (!skipReason.empty()) {
            return;
        }
        for (const char* q : {"Zeta", "PDF", "alpha"}) {
            server->Tool({"lpadmin", "-x", q});
        }
        std::error_code ec;
        std::filesystem::remove(server->UserOptionsFile(), ec);
    }

    void AddQueue(const std::vector<std::string>& argv) {
        testing::RunResult r = server->Tool(argv);
        ASSERT_EQ(r.status, 0) << r.output;
    }

    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const platform::PrinterRecord& r : cups.EnumPrinters()) {
            EXPECT_FALSE(r.Hidden()) << r.name;
            names.push_back(r.name);
        }
        return names;
    }

    // What `lpstat -d` reports as the default: the name after the colon, or empty.
    std::string LpstatDefault() {
        std::string out = server->Tool({"lpstat", "-d"}).output;
        std::size_t colon = out.find(": ");
        if (colon == std::string::npos) {
            return {};
        }
        std::string name = out.substr(colon + 2);
        return name.substr(0, name.find('\n'));
    }

    static CupsServer* server;
    static std::string skipReason;
    CupsPrintSystem cups;
};

CupsServer* CupsIntegrationTest::server = nullptr;
std::string CupsIntegrationTest::skipReason;

TEST_F(CupsIntegrationTest, ListsTheQueuesInTheirStableOrderWithoutInstances) {
    ASSERT_EQ(server->Tool({"lpoptions", "-p", "PDF/draft", "-o", "copies=2"}).status, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"alpha", "PDF", "Zeta"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"alpha", "PDF", "Zeta"}));

    auto context = std::make_shared<TPrinterContext>(cups);
    TplSetPrinter selector(context);
    EXPECT_EQ(selector.Printers(), (std::vector<std::string>{"alpha", "PDF", "Zeta"}));
    EXPECT_EQ(context->Printer().Printers(), selector.Printers());
}

TEST_F(CupsIntegrationTest, MakesAPrinterTheUserDefaultAndPutsThePreviousOneBack) {
    ASSERT_EQ(server->Tool({"lpadmin", "-d", "Zeta"}).status, 0);
    auto context = std::make_shared<TPrinterContext>(cups);
    TplSetPrinter dummy(context);
    // Loaded as the main window's probe is, with the recorded block of a printer not here.
    dummy.LoadProperties({"PrimoPDF", kRecordedDevDataSize, RecordedDevDataText(600), {}});
    dummy.SetPrinterIndex(-1);
    int saved = dummy.PrinterIndex();
    ASSERT_EQ(saved, 2);

    SetDefaultPrinterByIndex(*context, 1);
    EXPECT_EQ(cups.DefaultPrinterName(), "PDF");
    EXPECT_EQ(LpstatDefault(), "PDF");
    EXPECT_NE(Slurp(server->UserOptionsFile()).find("Default PDF"), std::string::npos);
    dummy.SetPrinterIndex(-1);
    EXPECT_EQ(dummy.PrinterIndex(), 1);

    SetDefaultPrinterByIndex(*context, saved);
    EXPECT_EQ(cups.DefaultPrinterName(), "Zeta");
    EXPECT_EQ(LpstatDefault(), "Zeta");
    EXPECT_EQ(server->Tool({"lpstat", "-d"}).status, 0);
}

TEST_F(CupsIntegrationTest, DefaultNamingADeletedPrinterFallsBackToTheServerDefault) {
    ASSERT_EQ(server->Tool({"lpadmin", "-d", "alpha"}).status, 0);
    ASSERT_TRUE(cups.WriteDefaultDevice("Zeta,,"));
    ASSERT_EQ(cups.DefaultPrinterName(), "Zeta");
    ASSERT_EQ(server->Tool({"lpadmin", "-x", "Zeta"}).status, 0);

    // lpoptions still names Zeta, and printing without a printer name fails.
    EXPECT_NE(Slurp(server->UserOptionsFile()).find("Default Zeta"), std::string::npos);
    EXPECT_NE(server->Tool({"lp", "/dev/null"}).status, 0);
    EXPECT_EQ(cups.DefaultPrinterName(), "alpha");

    auto context = std::make_shared<TPrinterContext>(cups);
    TplSetPrinter selector(context);
    selector.LoadProperties({"Zeta", 0, std::nullopt, std::nullopt});
    EXPECT_EQ(context->Printer().PrinterIndex(), 0);

    // Making a listed printer the default replaces the stale entry.
    SetDefaultPrinterByIndex(*context, 1);
    EXPECT_EQ(cups.DefaultPrinterName(), "PDF");
    EXPECT_EQ(Slurp(server->UserOptionsFile()).find("Zeta"), std::string::npos);
    EXPECT_EQ(server->Tool({"lpstat", "-d"}).status, 0);
}

TEST_F(CupsIntegrationTest, StaleDefaultWithoutServerDefaultLeavesNoDefault) {
    ASSERT_TRUE(cups.WriteDefaultDevice("Zeta,,"));
    ASSERT_EQ(server->Tool({"lpadmin", "-x", "Zeta"}).status, 0);
    EXPECT_EQ(cups.DefaultPrinterName(), "");
}

TEST_F(CupsIntegrationTest, RefusesToMakeAMissingPrinterTheDefault) {
    ASSERT_TRUE(cups.WriteDefaultDevice("alpha,,"));
    std::string before = Slurp(server->UserOptionsFile());
    EXPECT_FALSE(cups.WriteDefaultDevice("Gone,,"));
    EXPECT_FALSE(cups.WriteDefaultDevice(",,"));
    EXPECT_EQ(Slurp(server->UserOptionsFile()), before);
    EXPECT_EQ(cups.DefaultPrinterName(), "alpha");
}

TEST_F(CupsIntegrationTest, SettingsBlockCarriesThePrintersDefaultsAndTheUsersOptions) {
    std::optional<DeviceMode> plain = cups.DefaultDeviceMode("PDF");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->DeviceName(), "PDF");
    EXPECT_GT(plain->PrintQuality(), 0);
    EXPECT_EQ(plain->Copies(), 1);
    EXPECT_EQ(plain->Duplex(), DeviceMode::kSimplex);

    ASSERT_EQ(server
                  ->Tool({"lpoptions", "-p", "PDF", "-o", "media=iso_a5_148x210mm", "-o",
                          "copies=3", "-o", "sides=two-sided-short-edge", "-o",
                          "orientation-requested=4", "-o", "print-color-mode=monochrome"})
                  .status,
              0);
    std::optional<DeviceMode> mode = cups.DefaultDeviceMode("PDF");
    ASSERT_TRUE(mode);
    EXPECT_EQ(mode->PaperSize(), DeviceMode::kPaperA5);
    EXPECT_EQ(mode->PaperWidth(), 1480);
    EXPECT_EQ(mode->Copies(), 3);
    EXPECT_EQ(mode->Duplex(), DeviceMode::kDuplexShortEdge);
    EXPECT_EQ(mode->Orientation(), DeviceMode::kLandscape);
    EXPECT_EQ(mode->Color(), DeviceMode::kMonochrome);

    EXPECT_FALSE(cups.DefaultDeviceMode("Gone"));
    DeviceMode foreign("Other");
    EXPECT_FALSE(cups.MergeDeviceMode("Gone", foreign));
    EXPECT_TRUE(cups.MergeDeviceMode("PDF", foreign));
    EXPECT_EQ(foreign.DeviceName(), "PDF");
}

TEST_F(CupsIntegrationTest, UnreachableServerListsNoPrinters) {
    std::string socket = cupsServer();
    cupsSetServer((server->Dir() / "nobody.sock").c_str());
    EXPECT_TRUE(cups.EnumPrinters().empty());
    EXPECT_EQ(cups.DefaultPrinterName(), "");
    auto context = std::make_shared<TPrinterContext>(cups);
    TplSetPrinter selector(context);
    EXPECT_TRUE(selector.Printers().empty());
    cupsSetServer(socket.c_str());
    EXPECT_EQ(Names().size(), 3u);
}

}  // namespace
}  // namespace korvent::printer
