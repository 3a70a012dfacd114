#include "platform/sim/SimShell.h"

#include <gtest/gtest.h>

#include "pdf/PdfCheck.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/VirtualClock.h"

namespace korvent::platform {
namespace {

using namespace std::chrono_literals;

class SimShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        printers.AddPrinter("Paper");
        desktop.AddPdfPrinter("CutePDF Writer", SimPdfPrinter::Variant::Cute);
        printers.WriteDefaultDevice("Paper,winspool,LPT1:");
        const auto folder = testing::TestFolder("sim-shell");
        document = (folder / "a.doc").string();
        testing::WriteFile(document, "text");
    }
    SimShell& shell() { return desktop.Shell(); }

    VirtualClock clock;
    SimPrintSystem printers;
    SimDesktop desktop{printers, clock};
    std::string document;
};

TEST_F(SimShellTest, APaperPrinterPrintsAtOnceAndItsProgramEndsAfterThePrintingTime) {
    shell().SetPaperPrintTime(1500ms);
    ShellResult result = shell().Execute(ShellVerb::Print, document);
    ASSERT_TRUE(result.Succeeded());
    clock.Advance(1499ms);
    EXPECT_TRUE(result.process->Running());
    clock.Advance(1ms);
    EXPECT_FALSE(result.process->Running());
    EXPECT_EQ(shell().Requests(),
              (std::vector<SimShell::Request>{{ShellVerb::Print, document, "Paper", 0, 0ms}}));
}

TEST_F(SimShellTest, PrintsGoToTheProgramOfTheDefaultPrinterIgnoringLetterCase) {
    printers.WriteDefaultDevice("cutepdf writer,,");
    ShellResult result = shell().Execute(ShellVerb::Print, document);
    clock.Advance(1000ms);
    EXPECT_NE(desktop.Windows().FindTopLevel("#32770", "名前を付けて保存"), 0u);
    EXPECT_TRUE(result.process->Running());
}

TEST_F(SimShellTest, OpenSucceedsWithoutAProcess) {
    ShellResult result = shell().Execute(ShellVerb::Open, document);
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.process, nullptr);
    EXPECT_EQ(shell().Requests().at(0).printer, "");
}

TEST_F(SimShellTest, FailuresComeFromTheNextRequestThePathOrAMissingFile) {
    shell().FailPath(document, shell_error::NoAssociation);
    shell().FailNextRequest(shell_error::OutOfMemory);
    EXPECT_EQ(shell().Execute(ShellVerb::Print, document).error, shell_error::OutOfMemory);
    EXPECT_EQ(shell().Execute(ShellVerb::Print, document).error, shell_error::NoAssociation);
    EXPECT_EQ(shell().Execute(ShellVerb::Open, document).error, shell_error::NoAssociation);
    EXPECT_EQ(shell().Execute(ShellVerb::Open, document + ".gone").error,
              shell_error::FileNotFound);
    EXPECT_EQ(shell().Requests().size(), 4u);
}

}  // namespace
}  // namespace korvent::platform
