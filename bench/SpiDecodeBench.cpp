// Decode time per megapixel of PNG and JPEG files: through the plug-in host into a TSPIBitmap
// (header read, plug-in decode, DIB hand-over, copy into the bitmap) against the same decode
// straight through libpng / libjpeg into a buffer. The counter "s/MP" is seconds per megapixel.

// jpeglib.h needs FILE and size_t declared first.
#include <cstdio>

#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <png.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "graphics/PictureFormats.h"
#include "plugins/ImageEncoders.h"
#include "spi/SPIBitmap.h"
#include "spi/SPIFolders.h"
#include "spi/SPIs.h"

namespace {

using namespace korvent;

constexpr int kWidth = 2000;
constexpr int kHeight = 1500;
constexpr double kMegapixels = kWidth * kHeight / 1e6;

// A photo-like picture: smooth gradients with some texture, so that both codecs work as they
// do on real pictures.
test::TTestImage Photo() {
    test::TTestImage image{kWidth, kHeight, {}};
    image.pixels.reserve(static_cast<std::size_t>(kWidth) * kHeight);
    std::uint32_t seed = 1;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>(seed >> 29);
            image.pixels.push_back({static_cast<std::uint8_t>((x / 8 + noise) & 255),
                                    static_cast<std::uint8_t>((y / 6 + noise) & 255),
                                    static_cast<std::uint8_t>(((x + y) / 16) & 255), 255});
        }
    }
    return image;
}

struct TFiles {
    std::string png;
    std::string jpeg;
    TFiles() {
        const auto dir = std::filesystem::temp_directory_path();
        png = (dir / "korvent-bench.png").string();
        jpeg = (dir / "korvent-bench.jpg").string();
        const test::TTestImage image = Photo();
        test::WriteFileBytes(png, test::EncodePng(image, test::TPngKind::Rgb));
        test::WriteFileBytes(jpeg, test::EncodeJpeg(image, 90));
    }
};

const TFiles& Files() {
    static const TFiles files;
    return files;
}

class TNoFolders final : public spi::TSPIFolders {
public:
    std::optional<std::string> SusieDir() override { return std::nullopt; }
    std::optional<std::string> AppDir() override { return std::nullopt; }
    std::optional<std::string> CurrentDir() override { return std::nullopt; }
    std::optional<std::string> SystemDir() override { return std::nullopt; }
    std::optional<std::string> WindowsDir() override { return std::nullopt; }
};

void PerMegapixel(benchmark::State& state) {
    state.counters["s/MP"] = benchmark::Counter(
        kMegapixels, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void DecodeThroughHost(benchmark::State& state, const std::string& path) {
    graphics::TPictureFormats formats;
    spi::TSPIs host(std::make_unique<TNoFolders>(), &formats);
    host.Search(std::string(KORVENT_PLUGIN_DIR) + "/if*.spi");
    for (auto _ : state) {
        spi::TSPIBitmap bitmap;
        bitmap.LoadFromFile(path);
        benchmark::DoNotOptimize(bitmap.Bits().data());
    }
    PerMegapixel(state);
}

void BM_PngThroughHost(benchmark::State& state) {
    DecodeThroughHost(state, Files().png);
}

void BM_JpegThroughHost(benchmark::State& state) {
    DecodeThroughHost(state, Files().jpeg);
}

void BM_PngDirect(benchmark::State& state) {
    const std::string& path = Files().png;
    for (auto _ : state) {
        // A fresh buffer each time, as a caller that keeps the picture needs.
        std::vector<std::uint8_t> pixels;
        std::vector<png_bytep> rows;
        std::FILE* file = std::fopen(path.c_str(), "rb");
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) {
            state.SkipWithError("libpng failed");
            break;
        }
        png_init_io(png, file);
        png_read_info(png, info);
        png_set_expand(png);
        png_set_scale_16(png);
        png_read_update_info(png, info);
        const std::size_t stride = png_get_rowbytes(png, info);
        const png_uint_32 height = png_get_image_height(png, info);
        pixels.resize(stride * height);  // zero-filled, as a new bitmap is
        rows.resize(height);
        for (png_uint_32 y = 0; y < height; ++y) {
            rows[y] = pixels.data() + stride * y;
        }
        png_read_image(png, rows.data());
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        benchmark::DoNotOptimize(pixels.data());
    }
    PerMegapixel(state);
}

void BM_JpegDirect(benchmark::State& state) {
    const std::string& path = Files().jpeg;
    for (auto _ : state) {
        std::vector<std::uint8_t> pixels;
        std::FILE* file = std::fopen(path.c_str(), "rb");
        jpeg_decompress_struct cinfo{};
        jpeg_error_mgr error{};
        cinfo.err = jpeg_std_error(&error);
        jpeg_create_decompress(&cinfo);
        jpeg_stdio_src(&cinfo, file);
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_RGB;
        jpeg_start_decompress(&cinfo);
        const std::size_t stride = std::size_t{cinfo.output_width} * 3;
        pixels.resize(stride * cinfo.output_height);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.data() + stride * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        std::fclose(file);
        benchmark::DoNotOptimize(pixels.data());
    }
    PerMegapixel(state);
}

BENCHMARK(BM_PngDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngThroughHost)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegDirect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegThroughHost)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
