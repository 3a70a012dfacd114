// Writes the seed corpus of the BMP fuzzer: one small file per header, depth and compression.
#include "../BmpBuilder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using korvent::graphics::TRgb;
using korvent::graphics::testing::BmpLayout;
using korvent::graphics::testing::BuildBmp;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::vector<TRgb> palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    std::vector<BmpLayout> seeds;
    for (std::uint16_t bits : {1, 4, 8, 16, 24, 32}) {
        BmpLayout layout{.width = 5, .height = bits % 2 ? -3 : 3, .bits = bits};
        if (bits <= 8) {
            layout.palette = palette;
            layout.colorsUsed = 4;
        }
        layout.pixels.assign(static_cast<std::size_t>((5 * bits + 31) / 32 * 4 * 3), 0x5A);
        seeds.push_back(layout);
    }
    seeds.push_back({.width = 4,
                     .height = 2,
                     .bits = 8,
                     .headerSize = 12,
                     .palette = palette,
                     .pixels = {1, 2, 3, 0, 3, 2, 1, 0}});
    seeds.push_back({.width = 2,
                     .height = 2,
                     .bits = 16,
                     .compression = 3,
                     .masks = {0xF800, 0x07E0, 0x001F},
                     .pixels = {0, 0xF8, 0xE0, 7, 31, 0, 0, 0}});
    seeds.push_back({.width = 1,
                     .height = 1,
                     .bits = 32,
                     .compression = 3,
                     .masks = {0xFF, 0xFF00, 0xFF0000},
                     .pixels = {1, 2, 3, 4}});
    seeds.push_back({.width = 20,
                     .height = 3,
                     .bits = 8,
                     .compression = 1,
                     .palette = palette,
                     .pixels = {3, 1, 0, 3, 1, 2, 3, 0, 0, 2, 5, 1, 2, 2, 0, 0, 9, 3, 0, 1}});
    seeds.push_back({.width = 8,
                     .height = 2,
                     .bits = 4,
                     .compression = 2,
                     .palette = palette,
                     .pixels = {5, 0x12, 0, 3, 0x30, 0x10, 0, 0, 4, 0x33, 0, 1}});
    int n = 0;
    for (const BmpLayout& layout : seeds) {
        const std::vector<std::uint8_t> bytes = BuildBmp(layout);
        std::ofstream out(folder / ("seed" + std::to_string(n++) + ".bmp"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    return 0;
}
