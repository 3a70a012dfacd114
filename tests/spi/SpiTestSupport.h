#pragma once

// Test plug-ins in temporary folders, search folders the test chooses, and pictures in the
// test plug-ins' trivial format.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "spi/SPIFolders.h"

namespace korvent::test {

namespace fs = std::filesystem;

inline fs::path TestPluginPath(const std::string& name) {
    return fs::path(KORVENT_TEST_PLUGIN_DIR) / (name + ".spi");
}

// A fresh temporary folder, removed with the object.
class TTempDir {
public:
    TTempDir() {
        static int counter = 0;
        FPath = fs::temp_directory_path() /
                ("korvent-spi-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        fs::remove_all(FPath);
        fs::create_directories(FPath);
    }
    ~TTempDir() {
        std::error_code ec;
        fs::remove_all(FPath, ec);
    }
    const fs::path& Path() const { return FPath; }
    std::string Folder() const { return FPath.string() + "/"; }

    // Copies the test plug-in `plugin` into the folder as `fileName`.
    fs::path AddPlugin(const std::string& plugin, const std::string& fileName) const {
        const fs::path target = FPath / fileName;
        fs::create_directories(target.parent_path());
        fs::copy_file(TestPluginPath(plugin), target, fs::copy_options::overwrite_existing);
        return target;
    }

private:
    fs::path FPath;
};

class TFakeFolders final : public spi::TSPIFolders {
public:
    std::optional<std::string> susie, app, current, system, windows;
    std::vector<std::string>* asked = nullptr;

    std::optional<std::string> SusieDir() override { return Note("susie", susie); }
    std::optional<std::string> AppDir() override { return Note("app", app); }
    std::optional<std::string> CurrentDir() override { return Note("current", current); }
    std::optional<std::string> SystemDir() override { return Note("system", system); }
    std::optional<std::string> WindowsDir() override { return Note("windows", windows); }

private:
    std::optional<std::string> Note(const char* what, const std::optional<std::string>& value) {
        if (asked) {
            asked->push_back(what);
        }
        return value;
    }
};

// A picture in the test plug-ins' format. 24-bit rows are blue, green, red; 4 and 8 bits carry
// a colour table of (blue, green, red, 0) entries.
struct TKtsPicture {
    std::string magic = "KTST";
    int width = 3;
    int height = 2;
    int bits = 24;
    std::vector<std::pair<std::int32_t, std::int32_t>> progress;  // calls before decoding
    bool fail = false;
    std::vector<std::uint8_t> table;
    std::vector<std::uint8_t> rows;  // bottom-up, padded

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> b(magic.begin(), magic.end());
        b.insert(b.end(), {static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width >> 8),
                           static_cast<std::uint8_t>(height),
                           static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(bits),
                           static_cast<std::uint8_t>((progress.empty() ? 0 : 1) | (fail ? 2 : 0))});
        auto put32 = [&](std::uint32_t v) {
            for (int i = 0; i < 4; ++i) {
                b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
            }
        };
        if (!progress.empty()) {
            put32(static_cast<std::uint32_t>(progress.size()));
            for (const auto& [num, denom] : progress) {
                put32(static_cast<std::uint32_t>(num));
                put32(static_cast<std::uint32_t>(denom));
            }
        }
        b.insert(b.end(), table.begin(), table.end());
        b.insert(b.end(), rows.begin(), rows.end());
        return b;
    }

    // A 24-bit picture whose pixel (x, y from the top) is (red 10x+1, green 20y+2, blue 7).
    static TKtsPicture Rgb(int width, int height) {
        TKtsPicture p;
        p.width = width;
        p.height = height;
        const int stride = (width * 3 + 3) / 4 * 4;
        p.rows.assign(static_cast<std::size_t>(stride * height), 0);
        for (int y = 0; y < height; ++y) {
            const int row = height - 1 - y;
            for (int x = 0; x < width; ++x) {
                std::uint8_t* px = &p.rows[static_cast<std::size_t>(row * stride + x * 3)];
                px[0] = 7;
                px[1] = static_cast<std::uint8_t>(20 * y + 2);
                px[2] = static_cast<std::uint8_t>(10 * x + 1);
            }
        }
        return p;
    }

    // A 4-bit picture with 16 colours (i * 16, 255 - i * 16, i) whose pixel (x, y) has index
    // (x + y) % 16.
    static TKtsPicture FourBit(int width, int height) {
        TKtsPicture p;
        p.width = width;
        p.height = height;
        p.bits = 4;
        for (int i = 0; i < 16; ++i) {
            p.table.insert(p.table.end(),
                           {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i * 16),
                            static_cast<std::uint8_t>(i * 16), 0});
        }
        const int stride = (width * 4 + 31) / 32 * 4;
        p.rows.assign(static_cast<std::size_t>(stride * height), 0);
        for (int y = 0; y < height; ++y) {
            const int row = height - 1 - y;
            for (int x = 0; x < width; ++x) {
                const auto index = static_cast<std::uint8_t>((x + y) % 16);
                p.rows[static_cast<std::size_t>(row * stride + x / 2)] |=
                    static_cast<std::uint8_t>(x % 2 ? index : index << 4);
            }
        }
        return p;
    }
};

}  // namespace korvent::test
