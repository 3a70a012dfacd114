#include "spi/SPIBitmap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "TestPaths.h"
#include "graphics/InvalidGraphic.h"
#include "graphics/JPEGImage.h"
#include "graphics/PictureFormats.h"
#include "platform/Abort.h"
#include "plugins/ImageEncoders.h"
#include "spi/SPIGraphic.h"
#include "spi/SPIs.h"
#include "spi/SpiTestSupport.h"

namespace korvent::spi {
namespace {

using graphics::TProgressStage;
using graphics::TRgb;
using test::TKtsPicture;
using test::TTempDir;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

struct TEvent {
    TProgressStage stage;
    int percent;
    bool redraw;
    graphics::TRect rect;
    std::string message;
    const graphics::TGraphic* sender;

    friend bool operator==(const TEvent&, const TEvent&) = default;
};

std::ostream& operator<<(std::ostream& out, const TEvent& e) {
    return out << static_cast<int>(e.stage) << "," << e.percent << "," << e.redraw << ",\""
               << e.message << "\"";
}

// A host with the test plug-ins of `plugins`, loaded in that order from a temporary folder.
struct TFixture {
    TTempDir dir;
    graphics::TPictureFormats formats;
    std::unique_ptr<TSPIs> host;
    TSPIBitmap bitmap;
    std::vector<TEvent> events;

    explicit TFixture(const std::vector<std::string>& plugins) {
        host = std::make_unique<TSPIs>(std::make_unique<test::TFakeFolders>(), &formats);
        for (const std::string& plugin : plugins) {
            host->Add(TSPIs::CreateSPI(dir.AddPlugin(plugin, plugin + ".spi").string()));
        }
        bitmap.SetOnProgress([this](graphics::TGraphic& sender, TProgressStage stage,
                                    std::uint8_t percent, bool redraw, const graphics::TRect& rect,
                                    const std::string& message) {
            events.push_back({stage, percent, redraw, rect, message, &sender});
        });
    }

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        const std::string path = (dir.Path() / name).string();
        test::WriteFileBytes(path, bytes);
        return path;
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> result;
        for (const auto& e : events) {
            if (!e.message.empty()) {
                result.push_back(e.message);
            }
        }
        return result;
    }
};

void ExpectRgbPicture(const graphics::TBitmap& bitmap, int width, int height) {
    ASSERT_EQ(bitmap.Width(), width);
    ASSERT_EQ(bitmap.Height(), height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(bitmap.PixelColor(x, y), (TRgb{static_cast<std::uint8_t>(10 * x + 1),
                                                     static_cast<std::uint8_t>(20 * y + 2), 7}))
                << x << "," << y;
        }
    }
}

TEST(SPIBitmap, APluginDecodesAFileWithTheProgressEventsInOrder) {
    TFixture f({"kts_in"});
    TKtsPicture picture = TKtsPicture::Rgb(5, 3);
    picture.progress = {{0, 4}, {4, 4}};
    f.bitmap.LoadFromFile(f.Write("picture.kts", picture.Bytes()));
    ExpectRgbPicture(f.bitmap, 5, 3);
    const graphics::TRect none{};
    const graphics::TGraphic* self = &f.bitmap;
    EXPECT_THAT(
        f.events,
        ElementsAre(
            TEvent{TProgressStage::Starting, 0, false, none, "Loading Graphic by Susie Plugin",
                   self},
            TEvent{TProgressStage::Running, 1, false, none, "Seeking enabled Susie Plugins", self},
            TEvent{TProgressStage::Running, 1, false, none, "Loading by [kts_in.spi]", self},
            TEvent{TProgressStage::Running, 2, false, none, "", self},
            TEvent{TProgressStage::Running, 99, false, none, "", self},
            TEvent{TProgressStage::Ending, 100, true, {0, 0, 5, 3}, "Loaded Graphic", self}));
}

struct TPercentCase {
    std::int32_t num;
    std::int32_t denom;
    int percent;
};

class SPIBitmapProgress : public ::testing::TestWithParam<TPercentCase> {};

// 2 + num * 97 / denom, rounded half away from zero, 64-bit product, stored in a byte.
TEST_P(SPIBitmapProgress, PercentFollowsTheMulDivRule) {
    TFixture f({"kts_in"});
    TKtsPicture picture = TKtsPicture::Rgb(1, 1);
    picture.progress = {{GetParam().num, GetParam().denom}};
    f.bitmap.LoadFromFile(f.Write("p.kts", picture.Bytes()));
    ASSERT_EQ(f.events.size(), 5u);
    EXPECT_EQ(f.events[3].percent, GetParam().percent);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SPIBitmapProgress,
    ::testing::Values(TPercentCase{1, 2, 51},    // 48.5 rounds up
                      TPercentCase{1, 3, 34},    // 32.33
                      TPercentCase{2, 3, 67},    // 64.67
                      TPercentCase{1, 0, 1},     // a zero denominator gives -1
                      TPercentCase{-1, 2, 209},  // -48.5 rounds to -49; 2 - 49 wraps in a byte
                      TPercentCase{2000000000, 2000000000, 99},  // the product needs 64 bits
                      TPercentCase{10, 1, 204}),                 // 972 in a byte
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(SPIBitmap, BmpFilesNeverReachAPluginWhateverTheLetterCase) {
    TFixture f({"kts_in"});
    graphics::TBitmap source(4, 2);
    source.SetPixelColor(1, 1, {9, 8, 7});
    std::stringstream bmp;
    source.SaveToStream(bmp);
    const std::string text = bmp.str();
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    // ".BMP" is a name that is all extension (a dot file here).
    for (const char* name : {"a.bmp", "b.BmP", ".BMP"}) {
        f.events.clear();
        f.bitmap.LoadFromFile(f.Write(name, bytes));
        EXPECT_EQ(f.bitmap.PixelColor(1, 1), (TRgb{9, 8, 7}));
        EXPECT_THAT(f.Messages(), ElementsAre("Loaded Graphic")) << name;
    }
    // Any other extension goes to the plug-ins first; the bitmap reader is the fallback.
    f.events.clear();
    f.bitmap.LoadFromFile(f.Write("c.dib", bytes));
    EXPECT_EQ(f.bitmap.PixelColor(1, 1), (TRgb{9, 8, 7}));
    EXPECT_THAT(f.Messages(),
                ElementsAre("Loading Graphic by Susie Plugin", "Seeking enabled Susie Plugins",
                            "Loading by [kts_in.spi]",  // offset 0
                            "Loading by [kts_in.spi]",  // offset 128
                            "Loaded Graphic"));
}

TEST(SPIBitmap, AFileNoPluginDecodesFailsAndKeepsThePreviousPicture) {
    TFixture f({"kts_in"});
    f.bitmap.LoadFromFile(f.Write("first.kts", TKtsPicture::Rgb(2, 2).Bytes()));
    const auto jpeg = test::EncodeJpeg(test::TTestImage::Pattern(8, 8), 90);
    f.host->Clear();
    f.events.clear();
    try {
        f.bitmap.LoadFromFile(f.Write("photo.jpg", jpeg));
        FAIL() << "no exception";
    } catch (const graphics::EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Susie Plugins could not decode");
    }
    ExpectRgbPicture(f.bitmap, 2, 2);
    ASSERT_FALSE(f.events.empty());
    EXPECT_EQ(
        f.events.back(),
        (TEvent{TProgressStage::Ending, 100, true, {0, 0, 2, 2}, "Loaded Graphic", &f.bitmap}));
}

TEST(SPIBitmap, WithoutALiveHostEveryNonBitmapFails) {
    TSPIBitmap bitmap;
    TTempDir dir;
    const std::string path = (dir.Path() / "x.kts").string();
    test::WriteFileBytes(path, TKtsPicture::Rgb(2, 2).Bytes());
    EXPECT_THROW(bitmap.LoadFromFile(path), graphics::EInvalidGraphic);
    EXPECT_TRUE(bitmap.Empty());
}

struct TMacCase {
    bool macBinary;
    bool decodes;
};

class SPIBitmapMacBinary : public ::testing::TestWithParam<TMacCase> {};

TEST_P(SPIBitmapMacBinary, AHeaderOf128BytesIsSkippedOnlyWhenAllowed) {
    TFixture f({"kts_mac"});
    f.host->MacBinary = GetParam().macBinary;
    TKtsPicture picture = TKtsPicture::Rgb(3, 2);
    picture.magic = "KMAC";
    std::vector<std::uint8_t> bytes(128, 0x11);
    const auto body = picture.Bytes();
    bytes.insert(bytes.end(), body.begin(), body.end());
    const std::string path = f.Write("old.pict", bytes);
    if (GetParam().decodes) {
        f.bitmap.LoadFromFile(path);
        ExpectRgbPicture(f.bitmap, 3, 2);
        // Both offsets were tried by the one plug-in.
        const std::vector<std::string> messages = f.Messages();
        EXPECT_EQ(std::count(messages.begin(), messages.end(), "Loading by [kts_mac.spi]"), 2);
    } else {
        EXPECT_THROW(f.bitmap.LoadFromFile(path), graphics::EInvalidGraphic);
    }
    // The same through a stream.
    std::istringstream stream(std::string(bytes.begin(), bytes.end()));
    if (GetParam().decodes) {
        f.bitmap.LoadFromStreamWithName(stream, "old.pict");
        ExpectRgbPicture(f.bitmap, 3, 2);
    } else {
        EXPECT_THROW(f.bitmap.LoadFromStreamWithName(stream, "old.pict"),
                     graphics::EInvalidGraphic);
    }
}

INSTANTIATE_TEST_SUITE_P(Options, SPIBitmapMacBinary,
                         ::testing::Values(TMacCase{true, true}, TMacCase{false, false}),
                         [](const auto& info) {
                             return std::string(info.param.macBinary ? "on" : "off");
                         });

TEST(SPIBitmap, AFourBitPictureKeepsItsPalette) {
    TFixture f({"kts_in"});
    const TKtsPicture picture = TKtsPicture::FourBit(5, 3);
    f.bitmap.LoadFromFile(f.Write("p.kts", picture.Bytes()));
    ASSERT_EQ(f.bitmap.BitsPerPixel(), 4);
    ASSERT_EQ(f.bitmap.Palette().size(), 16u);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(f.bitmap.Palette()[i],
                  (TRgb{static_cast<std::uint8_t>(i * 16), static_cast<std::uint8_t>(255 - i * 16),
                        static_cast<std::uint8_t>(i)}));
    }
    EXPECT_EQ(f.bitmap.PixelColor(3, 2), f.bitmap.Palette()[5]);
}

TEST(SPIBitmap, PreviewIsPreferredWhenAskedAndMissingPreviewFallsBackQuietly) {
    {
        TFixture f({"kts_in"});
        f.host->GraphicPreview = true;
        f.bitmap.LoadFromFile(f.Write("p.kts", TKtsPicture::Rgb(4, 3).Bytes()));
        EXPECT_EQ(f.bitmap.Width(), 1);  // the test plug-in's preview is one pixel
    }
    {
        TFixture f({"kts_nopreview"});
        f.host->GraphicPreview = true;
        f.bitmap.LoadFromFile(f.Write("p.kts", TKtsPicture::Rgb(4, 3).Bytes()));
        ExpectRgbPicture(f.bitmap, 4, 3);
    }
}

class SPIBitmapFaultyPreview : public ::testing::TestWithParam<const char*> {};

// A preview that reports success without a usable bitmap counts as no preview: the full picture
// is decoded, and whatever the preview handed over is freed (LeakSanitizer watches).
TEST_P(SPIBitmapFaultyPreview, FallsBackToTheFullPicture) {
    TFixture f({GetParam()});
    f.host->GraphicPreview = true;
    f.bitmap.LoadFromFile(f.Write("p.kts", TKtsPicture::Rgb(4, 3).Bytes()));
    ExpectRgbPicture(f.bitmap, 4, 3);
}

INSTANTIATE_TEST_SUITE_P(TestPlugins, SPIBitmapFaultyPreview,
                         ::testing::Values("kts_halfpreview", "kts_bigpreview"),
                         [](const auto& info) { return std::string(info.param); });

TEST(SPIBitmap, AFailingPluginLeavesNothingAndTheNextCandidateDecodes) {
    // Loaded last, kts_in is tried first (both declare *.kts); it fails on this picture only
    // when its flag asks it to, which the two plug-ins read alike, so the failure is forced by
    // the file and the second attempt is at offset 128 of the same plug-in, then the other.
    TFixture f({"kts_nopreview", "kts_in"});
    TKtsPicture picture = TKtsPicture::Rgb(2, 2);
    picture.fail = true;
    EXPECT_THROW(f.bitmap.LoadFromFile(f.Write("p.kts", picture.Bytes())),
                 graphics::EInvalidGraphic);
    EXPECT_THAT(f.Messages(),
                ElementsAre("Loading Graphic by Susie Plugin", "Seeking enabled Susie Plugins",
                            "Loading by [kts_in.spi]", "Loading by [kts_in.spi]",
                            "Loading by [kts_nopreview.spi]", "Loading by [kts_nopreview.spi]",
                            "Loaded Graphic"));
}

TEST(SPIBitmap, ASilentAbortStopsThePluginAndTheLoadFails) {
    TFixture f({"kts_in"});
    f.bitmap.LoadFromFile(f.Write("first.kts", TKtsPicture::Rgb(2, 2).Bytes()));
    f.bitmap.SetOnProgress([](graphics::TGraphic&, TProgressStage stage, std::uint8_t, bool,
                              const graphics::TRect&, const std::string& message) {
        if (stage == TProgressStage::Running && message.empty()) {
            throw EAbort();
        }
    });
    TKtsPicture picture = TKtsPicture::Rgb(4, 4);
    picture.progress = {{1, 2}};
    EXPECT_THROW(f.bitmap.LoadFromFile(f.Write("p.kts", picture.Bytes())),
                 graphics::EInvalidGraphic);
    ExpectRgbPicture(f.bitmap, 2, 2);
}

TEST(SPIBitmap, OtherErrorsOfTheProgressHandlerPassOnAfterTheEndingEvent) {
    TFixture f({"kts_in"});
    std::vector<std::string> endings;
    f.bitmap.SetOnProgress([&](graphics::TGraphic&, TProgressStage stage, std::uint8_t, bool,
                               const graphics::TRect&, const std::string& message) {
        if (stage == TProgressStage::Ending) {
            endings.push_back(message);
        }
        if (stage == TProgressStage::Running && message.empty()) {
            throw std::runtime_error("handler failed");
        }
    });
    TKtsPicture picture = TKtsPicture::Rgb(4, 4);
    picture.progress = {{1, 2}};
    EXPECT_THROW(f.bitmap.LoadFromFile(f.Write("p.kts", picture.Bytes())), std::runtime_error);
    EXPECT_THAT(endings, ElementsAre("Loaded Graphic"));
    EXPECT_TRUE(f.bitmap.Empty());
}

TEST(SPIBitmap, StreamsStartAtTheirBeginningAndArePositionedBackAfterAFailedReader) {
    TFixture f({"kts_in"});
    const auto bytes = TKtsPicture::Rgb(3, 2).Bytes();
    const std::string text(bytes.begin(), bytes.end());
    std::istringstream memory(text);
    memory.seekg(5);  // the position does not matter
    f.bitmap.LoadFromStreamWithName(memory, "p.kts");
    ExpectRgbPicture(f.bitmap, 3, 2);

    // A file stream is copied whole; the plain bitmap reader (tried first for a .bmp name)
    // fails and hands the stream back where it was.
    const std::string path = f.Write("p.kts", bytes);
    std::ifstream file(path, std::ios::binary);
    file.seekg(3);
    TSPIBitmap other;
    other.LoadFromStreamWithName(file, "disguised.bmp");
    ExpectRgbPicture(other, 3, 2);
}

TEST(SPIBitmap, TheStreamEventIsAlwaysTheBitmapsOwnLoad) {
    TFixture f({"kts_in"});
    bool called = false;
    f.bitmap.SetOnLoadFromStreamWithName([&](std::istream&, const std::string&) { called = true; });
    const auto bytes = TKtsPicture::Rgb(2, 2).Bytes();
    std::istringstream stream(std::string(bytes.begin(), bytes.end()));
    f.bitmap.OnLoadFromStreamWithName()(stream, "");
    EXPECT_FALSE(called);
    ExpectRgbPicture(f.bitmap, 2, 2);
}

// Pictures of a kind other than the two the loader makes (here a JPEG picture) are taken
// through the bitmap's own assignment; either way the bitmap keeps its progress handler.
TEST(SPIBitmap, OtherPictureKindsAreAssignedAndTheProgressHandlerStays) {
    const test::TTestImage image = test::TTestImage::Pattern(8, 8);
    const auto bytes = test::EncodeJpeg(image, 95);
    graphics::TJPEGImage jpeg;
    jpeg.LoadFromMemory(bytes);
    for (const bool decoded : {true, false}) {
        TSPIBitmap bitmap;
        bool called = false;
        bitmap.SetOnProgress([&](graphics::TGraphic&, TProgressStage, std::uint8_t, bool,
                                 const graphics::TRect&, const std::string&) { called = true; });
        if (decoded) {
            bitmap.AssignDecoded(std::make_unique<graphics::TJPEGImage>(jpeg));
        } else {
            bitmap.Assign(jpeg);
        }
        ASSERT_EQ(bitmap.Width(), 8) << decoded;
        ASSERT_EQ(bitmap.Height(), 8) << decoded;
        EXPECT_EQ(bitmap.PixelColor(3, 5), jpeg.ToBitmap().PixelColor(3, 5)) << decoded;
        ASSERT_TRUE(bitmap.OnProgress()) << decoded;
        bitmap.OnProgress()(bitmap, TProgressStage::Ending, 100, true, {}, "");
        EXPECT_TRUE(called) << decoded;
    }
}

TEST(SPIGraphic, SavesABitmapFileAndHandsItsPictureOver) {
    TFixture f({"kts_in"});
    TSPIGraphic graphic;
    graphic.LoadFromFile(f.Write("p.kts", TKtsPicture::Rgb(3, 2).Bytes()));
    EXPECT_EQ(graphic.Width(), 3);
    EXPECT_EQ(graphic.Height(), 2);
    std::ostringstream saved;
    graphic.SaveToStream(saved);
    const std::string file = saved.str();
    // File header, 40-byte info, two rows of 12 bytes (9 padded to 4).
    ASSERT_EQ(file.size(), 14u + 40u + 24u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(file[2]), 78);
    EXPECT_EQ(static_cast<unsigned char>(file[10]), 54);

    TSPIBitmap copy;
    copy.Assign(graphic);  // keeps the graphic's picture
    ExpectRgbPicture(copy, 3, 2);
    EXPECT_FALSE(graphic.Empty());
    const auto bitmap = graphic.ToBitmap();  // frees the plug-in's memory first
    EXPECT_TRUE(graphic.Empty());
    ExpectRgbPicture(*bitmap, 3, 2);
}

TEST(SPIBitmap, ShippedPluginsDecodeThroughTheHost) {
    graphics::TPictureFormats formats;
    TSPIs host(std::make_unique<test::TFakeFolders>(), &formats);
    host.OnSearch = [](TSPIs&, TSPI& spi, bool& accept) {
        accept = spi.PluginName().starts_with("KorventPDF");
    };
    host.Search(std::string(KORVENT_PLUGIN_DIR) + "/if*.spi");
    ASSERT_EQ(host.Count(), 5);
    TTempDir dir;
    const test::TTestImage image = test::TTestImage::Pattern(9, 7);
    const std::pair<const char*, std::vector<std::uint8_t>> files[] = {
        {"a.png", test::EncodePng(image, test::TPngKind::Rgb)},
        {"a.gif", test::EncodeGif(test::TTestImage::Indexed(9, 7))},
        {"a.tif", test::EncodeTiff(image, test::TTiffKind::Rgb)},
        {"a.webp", test::EncodeWebp(image, false)},
        {"noext", test::EncodePng(image, test::TPngKind::Rgb)},
    };
    for (const auto& [name, bytes] : files) {
        const std::string path = (dir.Path() / name).string();
        test::WriteFileBytes(path, bytes);
        TSPIBitmap bitmap;
        bitmap.LoadFromFile(path);
        const test::TTestImage expected =
            std::string(name) == "a.gif" ? test::TTestImage::Indexed(9, 7) : image;
        ASSERT_EQ(bitmap.Width(), 9) << name;
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 9; ++x) {
                const auto& e = expected.At(x, y);
                EXPECT_EQ(bitmap.PixelColor(x, y), (TRgb{e.r, e.g, e.b})) << name;
            }
        }
    }
}

}  // namespace
}  // namespace korvent::spi
