#pragma once

#include "platform/PrintSystem.h"

namespace korvent::platform {

// The printers of the Windows spooler: local printers and connections in the spooler's order
// (information level 4, names and attributes only), the user's default printer, and device
// settings through the printers' drivers.
class SpoolerPrintSystem final : public PrintSystem {
public:
    bool NtFamily() const override { return true; }
    // Throws korvent::Exception when the spooler refuses the list.
    std::vector<PrinterRecord> EnumPrinters() override;
    std::string DefaultPrinterName() override;
    // Makes the printer named before the first comma the default; the spooler writes the
    // "device" value of section "windows" itself. Refused for a printer it does not list.
    bool WriteDefaultDevice(const std::string& value) override;
    // Sent with a time-out per window, so that one hung program cannot stop the run.
    void BroadcastSettingChange(const std::string& section) override;
    std::optional<DeviceMode> DefaultDeviceMode(const std::string& device) override;
    bool MergeDeviceMode(const std::string& device, DeviceMode& mode) override;
};

}  // namespace korvent::platform
