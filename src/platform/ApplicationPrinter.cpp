#include "platform/ApplicationPrinter.h"

#include "platform/IniDocument.h"

namespace korvent::platform {

ApplicationPrinter::ApplicationPrinter(PrintSystem& system) : fSystem(system) {}

void ApplicationPrinter::Load() {
    if (fLoaded) {
        return;
    }
    fEntries.clear();
    fTexts.clear();
    bool nt = fSystem.NtFamily();
    for (const PrinterRecord& r : fSystem.EnumPrinters()) {
        Entry e;
        e.names.device = r.name;
        if (!nt) {
            e.names.driver = r.driver;
            e.names.port = r.port;
        }
        e.text = nt || r.port.empty() ? r.name : r.name + " on " + r.port;
        fTexts.push_back(e.text);
        fEntries.push_back(std::move(e));
    }
    fLoaded = true;
}

const std::vector<std::string>& ApplicationPrinter::Printers() {
    Load();
    return fTexts;
}

void ApplicationPrinter::Refresh() {
    fLoaded = false;
    fIndex = -1;
    fMode.reset();
}

int ApplicationPrinter::DefaultIndex() {
    Load();
    if (fEntries.empty()) {
        return -1;
    }
    std::string name = fSystem.DefaultPrinterName();
    for (std::size_t i = 0; i < fEntries.size(); ++i) {
        if (EqualsIgnoreCase(fEntries[i].names.device, name)) {
            return static_cast<int>(i);
        }
    }
    // No usable default (none set, or one that is not listed): printing would go to the first
    // printer, as a system with printers always has one it prints to.
    return 0;
}

int ApplicationPrinter::PrinterIndex() {
    if (fIndex < 0) {
        fIndex = DefaultIndex();
    }
    return fIndex;
}

void ApplicationPrinter::SetPrinterIndex(int index) {
    Load();
    int target = (index >= 0 && index < static_cast<int>(fEntries.size())) ? index : DefaultIndex();
    fIndex = target;
    fMode.reset();
}

ApplicationPrinter::Names ApplicationPrinter::GetPrinter() {
    int i = PrinterIndex();
    if (i < 0) {
        return {};
    }
    return fEntries[static_cast<std::size_t>(i)].names;
}

DeviceMode* ApplicationPrinter::DeviceModeBlock() {
    int i = PrinterIndex();
    if (i < 0) {
        return nullptr;
    }
    if (!fMode) {
        const std::string& device = fEntries[static_cast<std::size_t>(i)].names.device;
        fMode = fSystem.DefaultDeviceMode(device).value_or(DeviceMode(device));
    }
    return &*fMode;
}

void ApplicationPrinter::SetPrinter(const Names& names, std::optional<DeviceMode> mode) {
    Load();
    int found = -1;
    for (std::size_t i = 0; i < fEntries.size(); ++i) {
        if (EqualsIgnoreCase(fEntries[i].names.device, names.device)) {
            found = static_cast<int>(i);
            break;
        }
    }
    if (found < 0) {
        fEntries.push_back({names, names.device});
        fTexts.push_back(names.device);
        found = static_cast<int>(fEntries.size()) - 1;
    }
    fIndex = found;
    fMode = std::move(mode);
    DeviceModeBlock();
}

}  // namespace korvent::platform
