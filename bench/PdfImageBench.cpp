// Writing a one-page PDF with a 12-megapixel JPEG, as the image conversion does: JPEG
// compression and PDF writing are timed apart.
//
//   pdf_image_bench [benchmark flags]
//   pdf_image_bench --write-input=FILE.bmp   (writes the test picture for compare_cjpeg.sh)
#include "graphics/Bitmap.h"
#include "graphics/JPEGImage.h"
#include "pdf/PRJpegImage.h"
#include "pdf/PRLayoutPanel.h"
#include "pdf/PRPage.h"
#include "pdf/PReport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

using korvent::graphics::TBitmap;
using korvent::graphics::TJPEGImage;
using korvent::graphics::TPixelFormat;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// Smooth gradients with fine noise, so the encoder has photograph-like work to do.
const TBitmap& Picture() {
    static const TBitmap picture = [] {
        TBitmap bitmap(kWidth, kHeight, TPixelFormat::Bit24);
        std::uint32_t noise = 12345;
        for (int y = 0; y < kHeight; ++y) {
            std::uint8_t* row = bitmap.ScanLine(y).data();
            for (int x = 0; x < kWidth; ++x) {
                noise = noise * 1103515245u + 12345u;
                const int n = static_cast<int>((noise >> 16) & 15) - 8;
                row[3 * x] = static_cast<std::uint8_t>(std::clamp(x * 255 / kWidth + n, 0, 255));
                row[3 * x + 1] =
                    static_cast<std::uint8_t>(std::clamp(y * 255 / kHeight + n, 0, 255));
                row[3 * x + 2] = static_cast<std::uint8_t>(
                    std::clamp(((x / 97) ^ (y / 61)) * 7 % 256 + n, 0, 255));
            }
        }
        return bitmap;
    }();
    return picture;
}

void BM_JpegCompress12MP(benchmark::State& state) {
    const TBitmap& bitmap = Picture();
    TJPEGImage jpeg;
    jpeg.Assign(bitmap);
    jpeg.SetCompressionQuality(75);
    std::size_t bytes = 0;
    for (auto _ : state) {
        jpeg.Compress();
        bytes = jpeg.Data().size();
    }
    const double megapixels = kWidth * kHeight / 1e6;
    state.counters["MP/s"] =
        benchmark::Counter(megapixels, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["jpeg_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_JpegCompress12MP)->Unit(benchmark::kMillisecond)->UseRealTime();

// The page, report and file as the main window uses them; the JPEG is compressed beforehand.
void BM_PdfWrite12MP(benchmark::State& state) {
    TJPEGImage jpeg;
    jpeg.Assign(Picture());
    jpeg.SetCompressionQuality(75);
    jpeg.Compress();
    const auto folder = std::filesystem::temp_directory_path() / "korvent-pdf-bench";
    std::filesystem::create_directories(folder);

    using namespace korvent::pdf;
    TPRPage page("PRPage1");
    page.SetWidth(595);
    page.SetHeight(841);
    for (auto setter : {&TPRPage::SetMarginTop, &TPRPage::SetMarginLeft, &TPRPage::SetMarginRight,
                        &TPRPage::SetMarginBottom}) {
        (page.*setter)(28);
    }
    TPRLayoutPanel panel("PRLayoutPanel1");
    panel.SetParent(&page);
    panel.SetAlign(TAlign::alClient);
    TPRJpegImage item("PRJpegImage1");
    item.SetParent(&panel);
    item.SetPicture(&jpeg);
    item.SetBounds(0, 190, 539, 404);
    TPReport report;
    report.SetFileName((folder / "bench.pdf").string());
    for (auto _ : state) {
        report.BeginDocument();
        report.PrintPage(page);
        report.EndDocument();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(jpeg.Data().size()));
    state.counters["pdf_MB"] =
        static_cast<double>(std::filesystem::file_size(folder / "bench.pdf")) / 1e6;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_PdfWrite12MP)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* kWriteInput = "--write-input=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kWriteInput, std::strlen(kWriteInput)) == 0) {
            Picture().SaveToFile(argv[i] + std::strlen(kWriteInput));
            return 0;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
