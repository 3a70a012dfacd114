#include <gtest/gtest.h>

#include "FormFixture.h"
#include "graphics/PictureFormats.h"
#include "spi/SPI.h"
#include "spi/SPIBitmap.h"
#include "spi/SPIs.h"

namespace korvent::app {
namespace {

using Texts = std::vector<std::string>;

class PluginBoxTest : public FormFixture {
protected:
    test::TTempDir susie;
    test::TTempDir program;
};

TEST_F(PluginBoxTest, NoPluginKeepsTheNoticesAndOnlyBitmaps) {
    Create();
    EXPECT_EQ(form->SPIs1->Count(), 0);
    EXPECT_TRUE(M().NoSPIPlugInMessage1.Visible);
    EXPECT_TRUE(M().NoSPIPlugInMessage2.Visible);
    EXPECT_TRUE(M().ListBox1.Items.empty());
    EXPECT_EQ(form->FImageExtensions, Texts{".bmp"});
}

TEST_F(PluginBoxTest, ImagePluginsAreListedAndTheirExtensionsAccepted) {
    susie.AddPlugin("kts_pairs", "pairs.spi");
    program.AddPlugin("kts_in", "in.spi");
    program.AddPlugin("kts_am", "archive.spi");
    program.AddPlugin("kts_xn", "xn.spi");
    program.AddPlugin("kts_nopairs", "nopairs.spi");
    pluginFolderTemplate.susie = susie.Folder();
    pluginFolderTemplate.app = program.Folder();
    Create();

    // Archive and other kinds are unloaded again; image plug-ins stay in search order.
    ASSERT_EQ(form->SPIs1->Count(), 3);
    EXPECT_EQ(form->SPIs1->Items(0).ModuleFileName(), (susie.Path() / "pairs.spi").string());
    EXPECT_FALSE(M().NoSPIPlugInMessage1.Visible);
    EXPECT_FALSE(M().NoSPIPlugInMessage2.Visible);
    // A plug-in without a format pair adds no line and no extension.
    EXPECT_EQ(M().ListBox1.Items, (Texts{"Two patterns", "Korvent test"}));
    EXPECT_EQ(form->FImageExtensions, (Texts{".bmp", ".jpg", ".jpeg", ".kts"}));
    EXPECT_FALSE(M().ListBox1.Enabled);
    // Their extensions load as plug-in bitmaps.
    const auto* kts = graphics::TPictureFormats::Global().Find(".kts");
    ASSERT_NE(kts, nullptr);
    EXPECT_EQ(kts->GraphicClass, &spi::TSPIBitmap::Class());
    EXPECT_EQ(kts->Description, "Korvent test");
}

TEST_F(PluginBoxTest, OnlyTheFirstFilterOfAPluginCounts) {
    program.AddPlugin("kts_twopairs", "two.spi");
    program.AddPlugin("kts_three", "three.spi");
    pluginFolderTemplate.app = program.Folder();
    Create();
    Texts extensions = form->FImageExtensions;
    std::sort(extensions.begin() + 1, extensions.end());
    EXPECT_EQ(extensions, (Texts{".bmp", ".aa", ".bb", ".cc", ".kt1"}));
    Texts lines = M().ListBox1.Items;
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (Texts{"First", "Three patterns"}));
}

TEST_F(PluginBoxTest, ShowingTheWindowAgainDoesNotRepeatTheList) {
    program.AddPlugin("kts_in", "in.spi");
    pluginFolderTemplate.app = program.Folder();
    Create();
    form->FormShow();
    EXPECT_EQ(M().ListBox1.Items, Texts{"Korvent test"});
    EXPECT_EQ(form->FImageExtensions, (Texts{".bmp", ".kts"}));
}

TEST_F(PluginBoxTest, TheHostSearchesTheViewerProgramAndInstalledFolders) {
    std::vector<std::string> asked;
    pluginFolderTemplate.asked = &asked;
    Create();
    EXPECT_EQ(asked, (Texts{"susie", "app", "system"}));
    EXPECT_FALSE(form->SPIs1->GraphicPreview);
    EXPECT_TRUE(form->SPIs1->MacBinary);
}

}  // namespace
}  // namespace korvent::app
