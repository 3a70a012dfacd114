// Writes the seed files of the plug-in fuzzers: a few small images per format, written by the
// image libraries. Usage: plugin_fuzz_seeds <folder>; files go to <folder>/<plug-in>/.

#include <filesystem>
#include <iostream>

#include "plugins/ImageEncoders.h"

using namespace korvent::test;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: plugin_fuzz_seeds <folder>\n";
        return 2;
    }
    const std::filesystem::path root = argv[1];
    auto write = [&](const char* plugin, const char* name, const TBytes& bytes) {
        std::filesystem::create_directories(root / plugin);
        WriteFileBytes((root / plugin / name).string(), bytes);
    };
    const TTestImage rgb = TTestImage::Pattern(5, 4);
    const TTestImage rgba = TTestImage::Pattern(5, 4, true);
    const TTestImage indexed = TTestImage::Indexed(6, 5);
    write("ifpng", "rgb.png", EncodePng(rgb, TPngKind::Rgb));
    write("ifpng", "rgba.png", EncodePng(rgba, TPngKind::Rgba));
    write("ifpng", "palette.png", EncodePng(indexed, TPngKind::PaletteTransparent));
    write("ifpng", "interlaced.png", EncodePng(rgb, TPngKind::Interlaced));
    write("ifpng", "gray16.png", EncodePng(rgb, TPngKind::Rgb16));
    write("ifjpeg", "plain.jpg", EncodeJpeg(TTestImage::Pattern(16, 8), 80));
    write("ifjpeg", "exif6.jpg", EncodeJpeg(TTestImage::Pattern(8, 8), 80, ExifWithOrientation(6)));
    write("ifjpeg", "gray.jpg", EncodeJpeg(TTestImage::Pattern(8, 8), 80, {}, true));
    write("ifgif", "plain.gif", EncodeGif(indexed));
    write("ifgif", "framed.gif",
          EncodeGif(indexed, {.transparent = 1,
                              .interlaced = true,
                              .screenWidth = 9,
                              .screenHeight = 8,
                              .left = 2,
                              .top = 1}));
    write("iftiff", "rgb.tif", EncodeTiff(rgb, TTiffKind::Rgb));
    write("iftiff", "rgba.tif", EncodeTiff(rgba, TTiffKind::RgbaUnassociated));
    write("iftiff", "palette4.tif", EncodeTiff(indexed, TTiffKind::Palette4));
    write("iftiff", "tiled.tif", EncodeTiff(TTestImage::Pattern(18, 17), TTiffKind::Tiled));
    // The samples the plug-in converts itself: floating point in tiled planes, odd depths, L*a*b*.
    const auto samples = [](TSampleTiff how) {
        how.width = 18;
        how.height = 17;
        for (int i = 0; i < how.width * how.height * how.samples; ++i) {
            how.values.push_back(how.sampleFormat == 3 ? i / 900.0 : i % 4096);
        }
        return EncodeSampleTiff(how);
    };
    write("iftiff", "float_planes.tif",
          samples({.samples = 3,
                   .bits = 32,
                   .sampleFormat = 3,
                   .photometric = 2,
                   .separate = true,
                   .tiled = true}));
    write("iftiff", "gray12.tif", samples({.bits = 12}));
    write("iftiff", "cielab16.tif", samples({.samples = 3, .bits = 16, .photometric = 8}));
    write("ifwebp", "rgb.webp", EncodeWebp(rgb, false));
    write("ifwebp", "rgba.webp", EncodeWebp(rgba, true));
    return 0;
}
