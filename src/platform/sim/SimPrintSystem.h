#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/PrintSystem.h"

namespace korvent::platform {

// Printers held in memory, for tests: an ordered list (hidden ones included), a default
// printer kept as the profile value "device" would keep it, and a record of every write of
// that value and of every change notice.
class SimPrintSystem final : public PrintSystem {
public:
    bool NtFamily() const override { return fNtFamily; }
    std::vector<PrinterRecord> EnumPrinters() override;
    std::string DefaultPrinterName() override;
    bool WriteDefaultDevice(const std::string& value) override;
    void BroadcastSettingChange(const std::string& section) override;
    std::optional<DeviceMode> DefaultDeviceMode(const std::string& device) override;
    bool MergeDeviceMode(const std::string& device, DeviceMode& mode) override;

    void SetNtFamily(bool nt) { fNtFamily = nt; }
    // Appends a printer; its defaults are a fresh block named after it.
    void AddPrinter(const std::string& name, bool hidden = false, const std::string& driver = {},
                    const std::string& port = {});
    void RemovePrinter(const std::string& name);
    void SetPrinterDefaults(const std::string& name, const DeviceMode& defaults);
    // Sets the profile value directly, as another program would (it may name a printer that
    // is not installed).
    void SetDeviceValue(const std::string& value) { fDeviceValue = value; }
    // Makes the next enumerations fail.
    void SetEnumerationFails(bool fails) { fEnumerationFails = fails; }
    // Makes the driver refuse merge requests.
    void SetMergeRefused(bool refused) { fMergeRefused = refused; }

    const std::string& DeviceValue() const { return fDeviceValue; }
    const std::vector<std::string>& DeviceWrites() const { return fDeviceWrites; }
    const std::vector<std::string>& Broadcasts() const { return fBroadcasts; }
    int EnumerationCount() const { return fEnumerations; }
    int MergeCount() const { return fMerges; }
    void ClearRecords();

private:
    std::vector<PrinterRecord> fPrinters;
    std::map<std::string, DeviceMode> fDefaults;
    std::string fDeviceValue;
    std::vector<std::string> fDeviceWrites;
    std::vector<std::string> fBroadcasts;
    bool fNtFamily = true;
    bool fEnumerationFails = false;
    bool fMergeRefused = false;
    int fEnumerations = 0;
    int fMerges = 0;
};

}  // namespace korvent::platform
