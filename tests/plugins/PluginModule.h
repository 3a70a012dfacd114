#pragma once

// A plug-in module loaded for a test, with its entry points, and a reader for the bitmaps that
// the plug-ins hand over.

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "TestPaths.h"
#include "platform/DynamicLibrary.h"
#include "plugins/ImageEncoders.h"
#include "spi/susie_api.h"

namespace korvent::test {

struct TPluginModule {
    std::unique_ptr<platform::DynamicLibrary> library;
    SPI_GetPluginInfo GetPluginInfo = nullptr;
    SPI_IsSupported IsSupported = nullptr;
    SPI_GetPictureInfo GetPictureInfo = nullptr;
    SPI_GetPicture GetPicture = nullptr;

    // A shipped plug-in by name ("ifpng"), loaded once for the whole test program.
    static TPluginModule& Cached(const std::string& name) {
        static std::map<std::string, TPluginModule> modules;
        auto it = modules.find(name);
        if (it == modules.end()) {
            it = modules.emplace(name, Shipped(name)).first;
        }
        return it->second;
    }

    // A shipped plug-in by name ("ifpng").
    static TPluginModule Shipped(const std::string& name) {
        return Load(std::string(KORVENT_PLUGIN_DIR) + "/" + name + ".spi");
    }

    static TPluginModule Load(const std::string& path) {
        TPluginModule m;
        std::string error;
        m.library = platform::DynamicLibrary::Load(path, &error);
        if (!m.library) {
            throw std::runtime_error(error);
        }
        m.GetPluginInfo = reinterpret_cast<SPI_GetPluginInfo>(m.library->Symbol("GetPluginInfo"));
        m.IsSupported = reinterpret_cast<SPI_IsSupported>(m.library->Symbol("IsSupported"));
        m.GetPictureInfo =
            reinterpret_cast<SPI_GetPictureInfo>(m.library->Symbol("GetPictureInfo"));
        m.GetPicture = reinterpret_cast<SPI_GetPicture>(m.library->Symbol("GetPicture"));
        return m;
    }
};

// The two blocks GetPicture hands over, freed as the host frees them.
struct TDibBlocks {
    SPI_HLOCAL info = nullptr;
    SPI_HLOCAL bits = nullptr;
    TDibBlocks() = default;
    TDibBlocks(const TDibBlocks&) = delete;
    TDibBlocks& operator=(const TDibBlocks&) = delete;
    ~TDibBlocks() {
        std::free(info);
        std::free(bits);
    }

    SPI_BITMAPINFOHEADER Header() const {
        SPI_BITMAPINFOHEADER header{};
        std::memcpy(&header, info, sizeof header);
        return header;
    }

    // Empty when the bitmap is one a host can use as it stands: a plain header whose sizes
    // agree with the blocks, and a colour table that covers every index in the pixels.
    std::string Malformation() const {
        if (!info || !bits) {
            return "missing block";
        }
        const SPI_BITMAPINFOHEADER h = Header();
        if (h.biSize != 40 || h.biPlanes != 1 || h.biCompression != 0 || h.biWidth <= 0 ||
            h.biHeight == 0 || (h.biBitCount != 8 && h.biBitCount != 24)) {
            return "unexpected header";
        }
        const std::size_t stride = ((std::size_t(h.biWidth) * h.biBitCount + 31) / 32) * 4;
        const std::size_t rows =
            h.biHeight < 0 ? std::size_t(-h.biHeight) : std::size_t(h.biHeight);
        const std::size_t colors = h.biBitCount == 8 && h.biClrUsed == 0 ? 256 : h.biClrUsed;
        if ((h.biSizeImage != 0 && h.biSizeImage != stride * rows) ||
            malloc_usable_size(bits) < stride * rows) {
            return "pixel block smaller than the header says";
        }
        if (colors > 256 || malloc_usable_size(info) < 40 + 4 * colors) {
            return "colour table larger than its block";
        }
        if (h.biBitCount == 24) {
            return colors == 0 ? "" : "colour table with 24-bit pixels";
        }
        const auto* data = static_cast<const std::uint8_t*>(bits);
        for (std::size_t y = 0; y < rows; ++y) {
            for (int x = 0; x < h.biWidth; ++x) {
                if (data[y * stride + std::size_t(x)] >= colors) {
                    return "index " + std::to_string(data[y * stride + std::size_t(x)]) +
                           " beyond a colour table of " + std::to_string(colors);
                }
            }
        }
        return "";
    }

    // The pixels top row first; indexed pixels through the colour table.
    TTestImage Pixels() const {
        const SPI_BITMAPINFOHEADER h = Header();
        const auto* table = static_cast<const std::uint8_t*>(info) + h.biSize;
        const auto* data = static_cast<const std::uint8_t*>(bits);
        const std::size_t stride = ((h.biWidth * h.biBitCount + 31) / 32) * 4;
        const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
        TTestImage image{h.biWidth, height, {}};
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row =
                data + stride * static_cast<std::size_t>(h.biHeight > 0 ? height - 1 - y : y);
            for (int x = 0; x < h.biWidth; ++x) {
                if (h.biBitCount == 24) {
                    image.pixels.push_back({row[x * 3 + 2], row[x * 3 + 1], row[x * 3], 255});
                } else {
                    const std::uint8_t* c = table + 4 * row[x];
                    image.pixels.push_back({c[2], c[1], c[0], 255});
                }
            }
        }
        return image;
    }
};

}  // namespace korvent::test
