#include "spi/SPIs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "graphics/PictureFormats.h"
#include "spi/AmSPI.h"
#include "spi/InSPI.h"
#include "spi/SPIBitmap.h"
#include "spi/SPIDupCreateSPIs.h"
#include "spi/SPIFOpenErrorSPI.h"
#include "spi/SPIInvalidAPI.h"
#include "spi/SpiTestSupport.h"
#include "spi/XnSPI.h"

namespace korvent::spi {
namespace {

using test::TFakeFolders;
using test::TTempDir;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

// A host over fake folders and its own picture-format registry.
struct THost {
    graphics::TPictureFormats formats;
    TFakeFolders* folders;
    std::unique_ptr<TSPIs> host;

    THost() {
        auto fake = std::make_unique<TFakeFolders>();
        folders = fake.get();
        host = std::make_unique<TSPIs>(std::move(fake), &formats);
    }
    TSPIs* operator->() { return host.get(); }
    std::vector<std::string> LoadedNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < host->Count(); ++i) {
            names.push_back(fs::path(host->Items(i).ModuleFileName()).filename().string());
        }
        return names;
    }
};

// The main window's OnSearch handler: only image-input plug-ins stay.
void KeepImageInput(TSPIs&, TSPI& spi, bool& accept) {
    accept = dynamic_cast<TInSPI*>(&spi) != nullptr;
}

TEST(SPIs, ASecondHostIsRefusedUntilTheFirstIsGone) {
    auto first = std::make_unique<TSPIs>(std::make_unique<TFakeFolders>());
    EXPECT_EQ(TSPIs::LiveHost(), first.get());
    try {
        TSPIs second(std::make_unique<TFakeFolders>());
        FAIL() << "a second host was created";
    } catch (const ESPIDupCreateSPIs& e) {
        EXPECT_STREQ(e.what(), "TSPIs は複数生成できません");
    }
    EXPECT_EQ(TSPIs::LiveHost(), first.get());
    first.reset();
    EXPECT_EQ(TSPIs::LiveHost(), nullptr);
    TSPIs third(std::make_unique<TFakeFolders>());
    EXPECT_EQ(TSPIs::LiveHost(), &third);
}

TEST(SPIs, DefaultsAreThoseOfTheComponent) {
    THost h;
    EXPECT_EQ(h->SearchOptions, (TSPISearchOptions{spsSusieDir, spsAppDir}));
    EXPECT_EQ(h->SearchOptions.Bits(), 3);
    EXPECT_TRUE(h->AutoSearch);
    EXPECT_TRUE(h->MacBinary);
    EXPECT_FALSE(h->GraphicPreview);
    EXPECT_EQ((TSPISearchOptions{spsCurrentDir, spsSystemDir, spsWindowsDir}).Bits(), 4 + 8 + 16);
    // The plug-in bitmap's unit has made itself the class extensions are registered with.
    EXPECT_EQ(TSPIs::DefaultGraphicClass(), &TSPIBitmap::Class());
}

// ---- classification ------------------------------------------------------------------------

enum class TKind { None, Plain, In, Am, Xn };

struct TKindCase {
    const char* plugin;
    TKind kind;
};

TKind KindOf(const TSPI* spi) {
    if (!spi) {
        return TKind::None;
    }
    if (dynamic_cast<const TInSPI*>(spi)) {
        return TKind::In;
    }
    if (dynamic_cast<const TAmSPI*>(spi)) {
        return TKind::Am;
    }
    if (dynamic_cast<const TXnSPI*>(spi)) {
        return TKind::Xn;
    }
    return dynamic_cast<const TLoaderSPI*>(spi) ? TKind::None : TKind::Plain;
}

class SPIsCreate : public ::testing::TestWithParam<TKindCase> {};

TEST_P(SPIsCreate, PicksTheKindByTheExactVersionText) {
    const std::unique_ptr<TSPI> spi =
        TSPIs::CreateSPI(test::TestPluginPath(GetParam().plugin).string());
    EXPECT_EQ(KindOf(spi.get()), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    TestPlugins, SPIsCreate,
    ::testing::Values(TKindCase{"kts_in", TKind::In},
                      // The version compares with letter case: "00in" is no image plug-in.
                      TKindCase{"kts_in_lower", TKind::Plain}, TKindCase{"kts_am", TKind::Am},
                      // An archive plug-in lacking its archive entries is refused.
                      TKindCase{"kts_am_incomplete", TKind::None}, TKindCase{"kts_xn", TKind::Xn},
                      // An image plug-in without GetPicture is refused.
                      TKindCase{"kts_nopicture", TKind::None}),
    [](const auto& info) { return std::string(info.param.plugin); });

TEST(SPI, AnEmptyPathIsNoLibrary) {
    // Not the program itself, which is what the system loader takes an empty name for.
    try {
        TSPI::Create<TSPI>("");
        FAIL() << "no exception";
    } catch (const ESPIFOpenErrorSPI& e) {
        EXPECT_STREQ(e.what(), ":Susie Pluginがロードできませんでした");
    }
    EXPECT_EQ(TSPIs::CreateSPI(""), nullptr);
}

TEST(SPIs, FilesThatAreNoLibraryGiveNoPlugin) {
    TTempDir dir;
    std::ofstream(dir.Path() / "text.spi") << "not a library";
    EXPECT_EQ(TSPIs::CreateSPI((dir.Path() / "text.spi").string()), nullptr);
    EXPECT_EQ(TSPIs::CreateSPI((dir.Path() / "missing.spi").string()), nullptr);
}

TEST(SPI, ReadsItsTextsAndReportsTheLoadedModule) {
    TTempDir dir;
    const fs::path path = dir.AddPlugin("kts_in", "Viewer.spi");
    const auto spi = TSPI::Create<TInSPI>(path.string());
    EXPECT_EQ(spi->ModuleFileName(), path.string());
    EXPECT_EQ(spi->APIVersion(), "00IN");
    EXPECT_EQ(spi->PluginName(), "Korvent test plug-in 1.0");
    EXPECT_THAT(spi->Filters(), ElementsAre("*.kts"));
    EXPECT_THAT(spi->Descriptions(), ElementsAre("Korvent test"));
}

struct TPairsCase {
    const char* plugin;
    std::vector<std::string> filters;
    std::vector<std::string> descriptions;
};

class SPIPairs : public ::testing::TestWithParam<TPairsCase> {};

TEST_P(SPIPairs, FilterPairsStopAtTheFirstMissingText) {
    const auto spi = TSPI::Create<TInSPI>(test::TestPluginPath(GetParam().plugin).string());
    EXPECT_EQ(spi->Filters(), GetParam().filters);
    EXPECT_EQ(spi->Descriptions(), GetParam().descriptions);
}

INSTANTIATE_TEST_SUITE_P(TestPlugins, SPIPairs,
                         ::testing::Values(
                             // Texts 2, 3 and 4 present, 5 absent: one pair.
                             TPairsCase{"kts_pairs", {"*.jpg;*.jpeg"}, {"Two patterns"}},
                             TPairsCase{"kts_twopairs", {"*.kt1", "*.kt2"}, {"First", "Second"}},
                             TPairsCase{"kts_nopairs", {}, {}}),
                         [](const auto& info) { return std::string(info.param.plugin); });

TEST(SPI, CallingAMissingEntryNamesTheEntryAndTheModule) {
    const fs::path path = test::TestPluginPath("kts_nopreview");
    const auto spi = TSPI::Create<TInSPI>(path.string());
    try {
        SPI_HLOCAL info = nullptr;
        SPI_HLOCAL bits = nullptr;
        spi->GetPreview("x", 0, 0, &info, &bits, nullptr, 0);
        FAIL() << "no exception";
    } catch (const ESPIInvalidAPI& e) {
        EXPECT_EQ(std::string(e.what()),
                  "GetPreviewは[" + path.string() + "]では使えないSusie Plugin APIです");
    }
}

// ---- search --------------------------------------------------------------------------------

TEST(SPIsSearch, TheSameFolderFromRegistryAndProgramLoadsEachPluginOnce) {
    TTempDir dir;
    dir.AddPlugin("kts_in", "a.spi");
    dir.AddPlugin("kts_jpg", "b.spi");
    THost h;
    h.folders->susie = dir.Path().string();
    h.folders->app = dir.Path().string() + "/";
    h->Search("*.spi");
    EXPECT_THAT(h.LoadedNames(), ElementsAre("a.spi", "b.spi"));
}

TEST(SPIsSearch, FoldersAreScannedInOptionOrderAndOnlyWhenChosen) {
    TTempDir susie, app, current, system;
    susie.AddPlugin("kts_in", "s.spi");
    app.AddPlugin("kts_in", "a.spi");
    current.AddPlugin("kts_in", "c.spi");
    system.AddPlugin("kts_in", "y.spi");
    THost h;
    std::vector<std::string> asked;
    h.folders->asked = &asked;
    h.folders->susie = susie.Path().string();
    h.folders->app = app.Path().string();
    h.folders->current = current.Path().string();
    h.folders->system = system.Path().string();
    h->SearchOptions = {spsWindowsDir, spsSystemDir, spsSusieDir, spsCurrentDir};
    h->Search("*.spi");
    // The same file name in different folders is loaded once from each.
    EXPECT_THAT(h.LoadedNames(), ElementsAre("s.spi", "c.spi", "y.spi"));
    EXPECT_THAT(asked, ElementsAre("susie", "current", "system", "windows"));
}

TEST(SPIsSearch, AnEmptyOrMissingRegistryPathOnlyDropsThatFolder) {
    TTempDir app;
    app.AddPlugin("kts_in", "a.spi");
    for (const std::optional<std::string>& susie :
         {std::optional<std::string>{}, std::optional<std::string>{""}}) {
        THost h;
        h.folders->susie = susie;
        h.folders->app = app.Path().string();
        h->Search("*.spi");
        EXPECT_THAT(h.LoadedNames(), ElementsAre("a.spi"));
    }
}

TEST(SPIsSearch, AMaskWithAFolderSearchesThatFolderOnly) {
    TTempDir app, other;
    app.AddPlugin("kts_in", "a.spi");
    other.AddPlugin("kts_in", "o1.spi");
    other.AddPlugin("kts_in", "o2.dll");
    THost h;
    h.folders->app = app.Path().string();
    h->Search(other.Folder() + "*.spi");
    EXPECT_THAT(h.LoadedNames(), ElementsAre("o1.spi"));
}

TEST(SPIsSearch, MatchesIgnoringCaseAndLeavesOutHiddenFilesAndFolders) {
    TTempDir dir;
    dir.AddPlugin("kts_in", "UPPER.SPI");
    dir.AddPlugin("kts_in", ".hidden.spi");
    dir.AddPlugin("kts_in", "folder.spi/inner.spi");
    THost h;
    h->Search(dir.Folder() + "*.spi");
    EXPECT_THAT(h.LoadedNames(), ElementsAre("UPPER.SPI"));
}

TEST(SPIsSearch, BadPluginsAreLeftOutAndTheSearchGoesOn) {
    TTempDir dir;
    dir.AddPlugin("kts_nopicture", "a_nopicture.spi");
    std::ofstream(dir.Path() / "b_text.spi") << "text";
    dir.AddPlugin("kts_am_incomplete", "c_am.spi");
    dir.AddPlugin("kts_in", "d_good.spi");
    THost h;
    h->Search(dir.Folder() + "*.spi");
    EXPECT_THAT(h.LoadedNames(), ElementsAre("d_good.spi"));
}

TEST(SPIsSearch, TheMainWindowKeepsOnlyImageInputPlugins) {
    TTempDir dir;
    dir.AddPlugin("kts_am", "archive.spi");
    dir.AddPlugin("kts_in_lower", "lower.spi");
    dir.AddPlugin("kts_xn", "xn.spi");
    dir.AddPlugin("kts_in", "zimage.spi");
    THost h;
    h->OnSearch = KeepImageInput;
    h->Search(dir.Folder() + "*.spi");
    EXPECT_THAT(h.LoadedNames(), ElementsAre("zimage.spi"));
}

TEST(SPIsSearch, EventsCanVetoFilesAndPluginsAndTheirErrorsAreSwallowed) {
    TTempDir dir;
    dir.AddPlugin("kts_in", "a.spi");
    dir.AddPlugin("kts_in", "b.spi");
    dir.AddPlugin("kts_in", "c.spi");
    dir.AddPlugin("kts_in", "d.spi");
    THost h;
    std::vector<std::string> searching;
    h->OnSearching = [&](TSPIs& sender, const std::string& file, bool& accept) {
        EXPECT_EQ(&sender, h.host.get());
        EXPECT_TRUE(accept);
        searching.push_back(fs::path(file).filename().string());
        accept = !file.ends_with("a.spi");
    };
    h->OnSearch = [&](TSPIs&, TSPI& spi, bool& accept) {
        EXPECT_TRUE(accept);
        if (spi.ModuleFileName().ends_with("b.spi")) {
            throw std::runtime_error("refused by the handler");
        }
        accept = !spi.ModuleFileName().ends_with("c.spi");
    };
    h->Search(dir.Folder() + "*.spi");
    EXPECT_THAT(searching, ElementsAre("a.spi", "b.spi", "c.spi", "d.spi"));
    EXPECT_THAT(h.LoadedNames(), ElementsAre("d.spi"));
}

TEST(SPIsSearch, APluginWhoseRegistrationFailsIsFreedAndTheSearchGoesOn) {
    TTempDir dir;
    dir.AddPlugin("kts_three", "a.spi");
    dir.AddPlugin("kts_in", "b.spi");
    THost h;
    h->OnPictureRegister = [](TSPIs&, TInSPI&, const std::string& extension, const std::string&,
                              const graphics::TGraphicClass*&) {
        if (extension == "bb") {
            throw std::runtime_error("refused by the handler");
        }
    };
    h->Search(dir.Folder() + "*.spi");
    // a.spi failed half-way through its patterns: it is not left in the list (where nothing
    // would own it any more), while what it registered before the failure stays registered.
    EXPECT_THAT(h.LoadedNames(), ElementsAre("b.spi"));
    EXPECT_NE(h.formats.Find("aa"), nullptr);
    EXPECT_NE(h.formats.Find("kts"), nullptr);
}

TEST(SPIsSearch, LoadedRunsTheSearchOnlyWithAutoSearch) {
    TTempDir app;
    app.AddPlugin("kts_in", "a.spi");
    THost h;
    h.folders->app = app.Path().string();
    h->AutoSearch = false;
    h->Loaded();
    EXPECT_EQ(h->Count(), 0);
    h->AutoSearch = true;
    h->Loaded();
    EXPECT_EQ(h->Count(), 1);
}

TEST(SPIs, IndexOfFileIgnoresLetterCaseAndDeleteUnloads) {
    TTempDir dir;
    const fs::path path = dir.AddPlugin("kts_in", "Viewer.spi");
    THost h;
    h->Add(TSPIs::CreateSPI(path.string()));
    EXPECT_EQ(h->IndexOfFile(dir.Folder() + "VIEWER.SPI"), 0);
    EXPECT_EQ(h->IndexOfFile(dir.Folder() + "other.spi"), -1);
    h->Delete(0);
    EXPECT_EQ(h->Count(), 0);
}

TEST(SPIs, ANullPluginIsNotListedAndDeleteOutsideTheListIsRefused) {
    TTempDir dir;
    std::ofstream(dir.Path() / "text.spi") << "not a library";
    THost h;
    h->Add(TSPIs::CreateSPI((dir.Path() / "text.spi").string()));
    h->Insert(0, nullptr);
    EXPECT_EQ(h->Count(), 0);
    h->Add(TSPIs::CreateSPI(test::TestPluginPath("kts_in").string()));
    for (const int index : {-1, 1, 7}) {
        EXPECT_THROW(h->Delete(index), std::out_of_range) << index;
    }
    EXPECT_EQ(h->Count(), 1);
}

// ---- extension registration ----------------------------------------------------------------

TEST(SPIsRegister, EveryPatternOfAnImagePluginIsRegisteredInOrder) {
    THost h;
    h->Add(TSPIs::CreateSPI(test::TestPluginPath("kts_pairs").string()));
    h->Add(TSPIs::CreateSPI(test::TestPluginPath("kts_three").string()));
    std::vector<std::string> registered;
    for (auto it = h.formats.Entries().rbegin(); it != h.formats.Entries().rend(); ++it) {
        registered.push_back(it->Extension + "/" + it->Description + "/" + it->GraphicClass->Name);
    }
    EXPECT_THAT(registered,
                ElementsAre("jpg/Two patterns/TSPIBitmap", "jpeg/Two patterns/TSPIBitmap",
                            "aa/Three patterns/TSPIBitmap", "bb/Three patterns/TSPIBitmap",
                            "cc/Three patterns/TSPIBitmap"));
    ASSERT_NE(h.formats.Find(".JPEG"), nullptr);
    EXPECT_NE(dynamic_cast<TSPIBitmap*>(h.formats.CreateForFile("/x/photo.jpg").get()), nullptr);
}

TEST(SPIsRegister, TheEventSeesEachExtensionAndCanSuppressIt) {
    THost h;
    std::vector<std::string> seen;
    h->OnPictureRegister = [&](TSPIs&, TInSPI&, const std::string& extension,
                               const std::string& description,
                               const graphics::TGraphicClass*& graphicClass) {
        if (extension != "cc") {
            EXPECT_EQ(graphicClass, &TSPIBitmap::Class());
        }
        seen.push_back(extension + "/" + description);
        if (extension == "bb") {
            graphicClass = nullptr;
        }
    };
    h->Add(TSPIs::CreateSPI(test::TestPluginPath("kts_three").string()));
    EXPECT_THAT(seen, ElementsAre("aa/Three patterns", "bb/Three patterns", "cc/Three patterns"));
    EXPECT_NE(h.formats.Find("aa"), nullptr);
    // Taken once per pair: suppressing bb suppresses what follows in the same pair.
    EXPECT_EQ(h.formats.Find("bb"), nullptr);
    EXPECT_EQ(h.formats.Find("cc"), nullptr);
}

TEST(SPIsRegister, OnlyImageInputPluginsRegisterAndRegistrationsOutliveThePlugin) {
    THost h;
    h->Add(TSPIs::CreateSPI(test::TestPluginPath("kts_am").string()));
    EXPECT_TRUE(h.formats.Entries().empty());
    h->Add(TSPIs::CreateSPI(test::TestPluginPath("kts_in").string()));
    h->Clear();
    EXPECT_NE(h.formats.Find("kts"), nullptr);
}

// ---- candidates ----------------------------------------------------------------------------

TEST(SPIsCandidates, PluginsDeclaringTheExtensionComeFirstLastLoadedFirst) {
    TTempDir dir;
    THost h;
    for (const auto& [plugin, file] :
         std::vector<std::pair<std::string, std::string>>{{"kts_in", "1_kts.spi"},
                                                          {"kts_jpg", "2_jpg.spi"},
                                                          {"kts_am", "3_archive.spi"},
                                                          {"kts_pairs", "4_pairs.spi"},
                                                          {"kts_jpg", "5_jpg.spi"}}) {
        h->Add(TSPIs::CreateSPI(dir.AddPlugin(plugin, file).string()));
    }
    auto names = [](const std::vector<TInSPI*>& list) {
        std::vector<std::string> result;
        for (const TInSPI* spi : list) {
            result.push_back(fs::path(spi->ModuleFileName()).filename().string());
        }
        return result;
    };
    // "*.jpg;*.jpeg" declares only ".jpeg"; the archive plug-in is never a candidate.
    EXPECT_THAT(names(TSPIs::CandidateLoaders("/photos/IMG.JPG")),
                ElementsAre("5_jpg.spi", "2_jpg.spi", "1_kts.spi", "4_pairs.spi"));
    EXPECT_THAT(names(TSPIs::CandidateLoaders("/photos/img.jpeg")),
                ElementsAre("4_pairs.spi", "1_kts.spi", "2_jpg.spi", "5_jpg.spi"));
    EXPECT_THAT(names(TSPIs::CandidateLoaders("/photos.jpg/README")),
                ElementsAre("1_kts.spi", "2_jpg.spi", "4_pairs.spi", "5_jpg.spi"));
}

TEST(SPIsCandidates, NoLiveHostMeansNoCandidates) {
    EXPECT_TRUE(TSPIs::CandidateLoaders("a.kts").empty());
}

}  // namespace
}  // namespace korvent::spi
