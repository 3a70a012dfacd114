// Single-item writes to a settings file the size of the main window's table, each opening and
// closing (and atomically replacing) the file, as the settings manager does on every change.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/IniProfileStore.h"
#include "platform/ProfileRegistry.h"
#include "platform/sim/RecordingMessageBoxes.h"
#include "settings/RegManager.h"

namespace {

namespace fs = std::filesystem;
using namespace korvent;

constexpr int kItems = 38;

void BM_SingleItemWrites(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "korvent-bench-settings";
    fs::create_directories(dir);
    platform::IniProfileStore profiles;
    platform::ProfileRegistry registry(profiles, (dir / "registry.ini").string());
    platform::RecordingMessageBoxes boxes;
    settings::TRegManager manager(profiles, registry, boxes);
    manager.IniFileName = (dir / "KorventPDF.ini").string();
    const char* sections[] = {"Driver", "OutPut", "OverWrite", "AppendString",
                              "File",   "Option", "Merge",     "Image"};
    for (int k = 0; k < kItems; ++k) {
        const std::string name = "Item" + std::to_string(k);
        manager.RegItems().Add(settings::TRegItem(name, sections[k % 8], name, "0"));
        manager.Items(name).WriteString("/home/user/Documents/value-" + std::to_string(k));
    }
    int k = 0;
    for (auto _ : state) {
        for (int w = 0; w < 1000; ++w, ++k) {
            manager.Items("Item" + std::to_string(k % kItems)).WriteInteger(k);
        }
    }
    // One iteration is 1,000 writes: its time in ms is the time of one write in µs.
    fs::remove_all(dir);
}
BENCHMARK(BM_SingleItemWrites)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
