// The shipped plug-ins against the test pictures that libpng and libtiff publish (fetched from
// Debian's source packages into a cache by scripts/fetch-image-corpus.sh). Every picture goes
// through every plug-in's C interface in a child process with a time and a memory bound; the
// plug-in for its format must return a well-formed bitmap with the pixels that libpng or libtiff
// decode directly, or refuse it for a reason listed below.

#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <tiffio.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <set>

#include "TestPaths.h"
#include "plugins/BoundedChild.h"
#include "plugins/ImageEncoders.h"
#include "plugins/PluginModule.h"

namespace korvent::test {
namespace {

namespace fs = std::filesystem;

// A 24-megapixel picture takes ten seconds under the sanitizers.
constexpr unsigned kSecondsPerPicture = 60;
// Larger pictures are decoded and checked, but their pixels are not compared: the comparison
// alone would take most of the run under the sanitizers.
constexpr int kMaxComparedPixels = 1 << 22;
constexpr std::size_t kMegabytesPerPicture = 512;

// Pictures the plug-in for their format refuses, with the reason: paths below the cache, or
// the start of such paths.
const std::map<std::string, std::string> kKnownRefusals = {
    // libpng's damaged files: the picture data itself is broken.
    {"libpng/contrib/testpngs/crashers/huge_", "declares a chunk far larger than the file"},
    {"libpng/contrib/testpngs/crashers/bad_iCCP.png", "truncated after a damaged profile"},
    {"libpng/contrib/testpngs/crashers/badadler.png", "zlib checksum of the picture data wrong"},
    {"libpng/contrib/testpngs/crashers/badcrc.png", "CRC of a critical chunk wrong"},
    {"libpng/contrib/testpngs/crashers/huge_IDAT.png", "picture data declared, not present"},
    {"libpng/contrib/pngsuite/xc1n0g08.png", "invalid colour type"},
    {"libpng/contrib/pngsuite/xc9n2c08.png", "invalid colour type"},
    {"libpng/contrib/pngsuite/xcrn0g04.png", "signature damaged by a line-end conversion"},
    {"libpng/contrib/pngsuite/xcsn0g01.png", "CRC of a critical chunk wrong"},
    {"libpng/contrib/pngsuite/xd0n2c08.png", "invalid bit depth"},
    {"libpng/contrib/pngsuite/xd3n2c08.png", "invalid bit depth"},
    {"libpng/contrib/pngsuite/xd9n2c08.png", "invalid bit depth"},
    {"libpng/contrib/pngsuite/xdtn0g01.png", "picture data missing"},
    {"libpng/contrib/pngsuite/xhdn0g08.png", "CRC of the header wrong"},
    {"libpng/contrib/pngsuite/xlfn0g04.png", "signature damaged by a line-end conversion"},
    {"libpng/contrib/pngsuite/xs1n0g01.png", "signature damaged"},
    {"libpng/contrib/pngsuite/xs2n0g01.png", "signature damaged"},
    {"libpng/contrib/pngsuite/xs4n0g01.png", "signature damaged"},
    {"libpng/contrib/pngsuite/xs7n0g01.png", "signature damaged"},
};

// Pictures decoded whose pixels differ from the reference decode, with the reason.
const std::map<std::string, std::string> kKnownDifferences = {};

struct TFormat {
    const char* plugin;
    std::set<std::string> extensions;
};

const TFormat kFormats[] = {{"ifpng", {".png"}}, {"iftiff", {".tif", ".tiff"}}};
const char* const kAllPlugins[] = {"ifpng", "ifjpeg", "ifgif", "iftiff", "ifwebp"};

TPluginModule& Plugin(const std::string& name) {
    return TPluginModule::Cached(name);
}

// Runs the fetch script (no shell; its path and argument go to execv as they are). Empty when
// the pictures cannot be had; `why` then says why.
std::optional<fs::path> CorpusFolder(std::string& why) {
    const std::string script = std::string(KORVENT_SOURCE_DIR) + "/scripts/fetch-image-corpus.sh";
    int out[2];
    if (pipe(out) != 0) {
        why = "no pipe";
        return std::nullopt;
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        char* const argv[] = {const_cast<char*>(script.c_str()), nullptr};
        execv(script.c_str(), argv);
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[512];
    ssize_t n = 0;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || text.empty()) {
        why = "the test pictures of libpng and libtiff could not be fetched (" + script +
              " ended with status " + std::to_string(WEXITSTATUS(status)) + ")";
        return std::nullopt;
    }
    return fs::path(text);
}

// ---- reference decodes ----------------------------------------------------------------------

struct TPngSource {
    const TBytes* bytes;
    std::size_t position;
    std::vector<png_byte> pixels;
    std::vector<png_bytep> rows;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
};

void PngRead(png_structp png, png_bytep out, size_t count) {
    auto* source = static_cast<TPngSource*>(png_get_io_ptr(png));
    if (count > source->bytes->size() - source->position) {
        png_error(png, "truncated");
    }
    std::memcpy(out, source->bytes->data() + source->position, count);
    source->position += count;
}

void PngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

// No object with a destructor lives in this frame: libpng leaves it by longjmp.
bool ReadPngRgba(png_structp png, png_infop info, TPngSource& source) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_read_fn(png, &source, PngRead);
    png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    source.width = png_get_image_width(png, info);
    source.height = png_get_image_height(png, info);
    source.pixels.resize(std::size_t{source.width} * source.height * 4);
    for (png_uint_32 y = 0; y < source.height; ++y) {
        source.rows.push_back(source.pixels.data() + std::size_t{y} * source.width * 4);
    }
    png_read_image(png, source.rows.data());
    return true;
}

TTestImage FromRgba(const std::uint8_t* rgba, int width, int height) {
    TTestImage image{width, height, {}};
    for (std::size_t i = 0; i < std::size_t(width) * height; ++i, rgba += 4) {
        image.pixels.push_back({rgba[0], rgba[1], rgba[2], rgba[3]});
    }
    return image;
}

// libpng's own decode into 8-bit RGBA, laid over white as a viewer shows it.
std::optional<TTestImage> DecodePngDirectly(const TBytes& bytes) {
    TPngSource source{&bytes, 0, {}, {}};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    png_infop info = png_create_info_struct(png);
    const bool ok = ReadPngRgba(png, info, source);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) {
        return std::nullopt;
    }
    return OnWhite(FromRgba(source.pixels.data(), static_cast<int>(source.width),
                            static_cast<int>(source.height)));
}

// libtiff's own RGBA decode of the first page, in stored order, then turned upright.
std::optional<TTestImage> DecodeTiffDirectly(const std::string& path) {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff) {
        return std::nullopt;
    }
    std::optional<TTestImage> result;
    char message[1024] = {};
    TIFFRGBAImage image{};
    if (TIFFRGBAImageOK(tiff, message) && TIFFRGBAImageBegin(&image, tiff, 1, message)) {
        image.req_orientation = image.orientation;
        std::vector<std::uint32_t> raster(std::size_t{image.width} * image.height);
        if (TIFFRGBAImageGet(&image, raster.data(), image.width, image.height)) {
            TTestImage stored{static_cast<int>(image.width), static_cast<int>(image.height), {}};
            for (const std::uint32_t p : raster) {
                // Colours come multiplied by their alpha: white shows through the rest.
                const unsigned under = 255u - TIFFGetA(p);
                stored.pixels.push_back(
                    {static_cast<std::uint8_t>(std::min(255u, TIFFGetR(p) + under)),
                     static_cast<std::uint8_t>(std::min(255u, TIFFGetG(p) + under)),
                     static_cast<std::uint8_t>(std::min(255u, TIFFGetB(p) + under)), 255});
            }
            result = Oriented(stored, image.orientation);
        }
        TIFFRGBAImageEnd(&image);
    }
    TIFFClose(tiff);
    return result;
}

std::optional<TTestImage> DecodeDirectly(const std::string& plugin, const std::string& path) {
    return plugin == "ifpng" ? DecodePngDirectly(ReadFileBytes(path)) : DecodeTiffDirectly(path);
}

// ---- one picture ----------------------------------------------------------------------------

std::string Differences(const TTestImage& actual, const TTestImage& expected) {
    if (actual.width != expected.width || actual.height != expected.height) {
        return "differs: " + std::to_string(actual.width) + " x " + std::to_string(actual.height) +
               " instead of " + std::to_string(expected.width) + " x " +
               std::to_string(expected.height);
    }
    int count = 0;
    int largest = 0;
    for (std::size_t i = 0; i < actual.pixels.size(); ++i) {
        const TRgba& a = actual.pixels[i];
        const TRgba& e = expected.pixels[i];
        const int d = std::max({std::abs(a.r - e.r), std::abs(a.g - e.g), std::abs(a.b - e.b)});
        count += d > 0;
        largest = std::max(largest, d);
    }
    return count == 0 ? ""
                      : "differs: " + std::to_string(count) + " pixels, by up to " +
                            std::to_string(largest);
}

// What a picture gives, run in the child: "" when it is decoded as libpng or libtiff decode
// it, "refused <code>", "differs: ...", or what else is wrong.
std::string Examine(const std::string& owner, const std::string& path) {
    for (const char* name : kAllPlugins) {
        TDibBlocks dib;
        SPI_PICTINFO info{};
        const int infoResult = Plugin(name).GetPictureInfo(path.c_str(), 0, SPI_INPUT_FILE, &info);
        const int result = Plugin(name).GetPicture(path.c_str(), 0, SPI_INPUT_FILE, &dib.info,
                                                   &dib.bits, nullptr, 0);
        if (name != owner) {
            if (result != SPI_NOT_SUPPORT || infoResult != SPI_NOT_SUPPORT) {
                return std::string(name) + " did not refuse a foreign picture";
            }
            continue;
        }
        if (result != SPI_ALL_RIGHT) {
            return "refused " + std::to_string(result);
        }
        if (const std::string wrong = dib.Malformation(); !wrong.empty()) {
            return "malformed: " + wrong;
        }
        const TTestImage pixels = dib.Pixels();
        if (infoResult != SPI_ALL_RIGHT || info.width != pixels.width ||
            info.height != pixels.height) {
            return "picture information disagrees with the picture";
        }
        if (pixels.width * pixels.height > kMaxComparedPixels) {
            return "";
        }
        const std::optional<TTestImage> reference = DecodeDirectly(owner, path);
        return reference ? Differences(pixels, *reference) : "";
    }
    return "";
}

void ExpectAsListed(const std::string& name, const std::string& outcome,
                    const std::map<std::string, std::string>& list, const std::string& kind) {
    const auto entry = std::find_if(list.begin(), list.end(), [&](const auto& listed) {
        return name.rfind(listed.first, 0) == 0;
    });
    const bool listed = entry != list.end();
    if (outcome.rfind(kind, 0) == 0) {
        EXPECT_TRUE(listed) << name << ": " << outcome;
    } else if (listed) {
        ADD_FAILURE() << name << " is listed as " << kind << " (" << entry->second
                      << ") but gives \"" << outcome << "\"";
    }
}

TEST(PluginCorpus, PublishedTestPicturesDecodeOrAreRefusedForAKnownReason) {
    std::string why;
    const std::optional<fs::path> folder = CorpusFolder(why);
    if (!folder) {
        GTEST_SKIP() << why;
    }
    for (const char* name : kAllPlugins) {
        Plugin(name);  // loaded before the children start
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(*folder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    int examined = 0;
    for (const fs::path& file : files) {
        for (const TFormat& format : kFormats) {
            if (!format.extensions.count(file.extension().string())) {
                continue;
            }
            ++examined;
            const std::string name = fs::relative(file, *folder).string();
            const TChildOutcome child =
                RunBounded([&] { return Examine(format.plugin, file.string()); },
                           kSecondsPerPicture, kMegabytesPerPicture);
            if (!child.finished) {
                ADD_FAILURE() << name << ": " << child.failure;
                continue;
            }
            EXPECT_EQ(child.answer.rfind("malformed", 0), std::string::npos) << name;
            ExpectAsListed(name, child.answer, kKnownRefusals, "refused");
            ExpectAsListed(name, child.answer, kKnownDifferences, "differs");
            if (name.find("crashers/huge_") != std::string::npos) {
                std::printf("%s: %.0f ms, %ld kB peak\n", name.c_str(), child.seconds * 1000,
                            child.peakKilobytes);
            }
        }
    }
    EXPECT_GT(examined, 100) << "pictures found under " << folder->string();
}

}  // namespace
}  // namespace korvent::test
