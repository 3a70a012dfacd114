#pragma once

#include "platform/PrintSystem.h"

namespace korvent::platform {

// The printers of the CUPS server that libcups is configured to talk to (CUPS_SERVER,
// client.conf). The printer list is the server's destinations in libcups' order (sorted by
// name); instances, which are sets of options rather than printers, are left out. The default
// printer is the user's default destination (lpoptions, or LPDEST / PRINTER), and when that
// names a printer which no longer exists, the server's default. No CUPS printer is hidden.
class CupsPrintSystem final : public PrintSystem {
public:
    bool NtFamily() const override { return true; }
    std::vector<PrinterRecord> EnumPrinters() override;
    std::string DefaultPrinterName() override;
    // Marks the destination as the user's default in lpoptions, as `lpoptions -d` does; a
    // stale default there is replaced. Refused for a printer the server does not list.
    bool WriteDefaultDevice(const std::string& value) override;
    // CUPS clients read the default at every request; there is nobody to notify.
    void BroadcastSettingChange(const std::string& section) override;
    std::optional<DeviceMode> DefaultDeviceMode(const std::string& device) override;
    bool MergeDeviceMode(const std::string& device, DeviceMode& mode) override;
};

}  // namespace korvent::platform
