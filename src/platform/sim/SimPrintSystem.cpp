#include "platform/sim/SimPrintSystem.h"

#include <algorithm>

#include "platform/Exception.h"
#include "platform/IniDocument.h"

namespace korvent::platform {

std::vector<PrinterRecord> SimPrintSystem::EnumPrinters() {
    ++fEnumerations;
    if (fEnumerationFails) {
        throw korvent::Exception("The printer list cannot be read.");
    }
    return fPrinters;
}

std::string SimPrintSystem::DefaultPrinterName() {
    std::string name = fDeviceValue.substr(0, fDeviceValue.find(','));
    bool installed = std::any_of(fPrinters.begin(), fPrinters.end(), [&](const PrinterRecord& r) {
        return EqualsIgnoreCase(r.name, name);
    });
    return installed ? name : std::string();
}

bool SimPrintSystem::WriteDefaultDevice(const std::string& value) {
    fDeviceValue = value;
    fDeviceWrites.push_back(value);
    return true;
}

void SimPrintSystem::BroadcastSettingChange(const std::string& section) {
    fBroadcasts.push_back(section);
}

std::optional<DeviceMode> SimPrintSystem::DefaultDeviceMode(const std::string& device) {
    auto it = fDefaults.find(device);
    if (it == fDefaults.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool SimPrintSystem::MergeDeviceMode(const std::string& device, DeviceMode& mode) {
    ++fMerges;
    auto it = fDefaults.find(device);
    if (fMergeRefused || it == fDefaults.end()) {
        return false;
    }
    mode.Validate(it->second);
    return true;
}

void SimPrintSystem::AddPrinter(const std::string& name, bool hidden, const std::string& driver,
                                const std::string& port) {
    fPrinters.push_back({name, driver, port, hidden ? kPrinterAttributeHidden : 0u});
    fDefaults.insert_or_assign(name, DeviceMode(name));
}

void SimPrintSystem::RemovePrinter(const std::string& name) {
    std::erase_if(fPrinters, [&](const PrinterRecord& r) { return r.name == name; });
    fDefaults.erase(name);
}

void SimPrintSystem::SetPrinterDefaults(const std::string& name, const DeviceMode& defaults) {
    fDefaults.insert_or_assign(name, defaults);
}

void SimPrintSystem::ClearRecords() {
    fDeviceWrites.clear();
    fBroadcasts.clear();
    fEnumerations = 0;
    fMerges = 0;
}

}  // namespace korvent::platform
