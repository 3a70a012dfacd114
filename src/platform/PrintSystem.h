#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/DeviceMode.h"

namespace korvent::platform {

// Attribute bits of a printer record, with the values of the Windows spooler.
constexpr unsigned kPrinterAttributeHidden = 0x20;

// One installed printer as the print system lists it.
struct PrinterRecord {
    std::string name;
    std::string driver;  // empty where the system reports only names
    std::string port;    // empty where the system reports only names
    unsigned attributes = 0;

    bool Hidden() const { return (attributes & kPrinterAttributeHidden) != 0; }
    bool operator==(const PrinterRecord&) const = default;
};

// The system's printers and its default printer. The real implementation talks to CUPS; the
// simulated one keeps its printers in memory for tests.
class PrintSystem {
public:
    virtual ~PrintSystem() = default;

    // True where printer records carry only names (the NT family on Windows, and CUPS): the
    // default-printer value then has empty driver and port parts.
    virtual bool NtFamily() const = 0;

    // The installed printers, always in the same order for the same set of printers. Throws
    // korvent::Exception when the print system answers with an error.
    virtual std::vector<PrinterRecord> EnumPrinters() = 0;

    // The printer that printing goes to when none is named, as listed by EnumPrinters; empty
    // when there is none. A default that names a printer which no longer exists is not
    // reported: the system's next choice is.
    virtual std::string DefaultPrinterName() = 0;

    // Stores the default-printer value ("device" in section "windows" of the system profile,
    // "name,driver,port"), which makes the printer named before the first comma the default.
    // False when refused (for example for a printer that is not installed).
    virtual bool WriteDefaultDevice(const std::string& value) = 0;
    // Tells the running programs that a section of the system settings changed; returns after
    // they have taken notice.
    virtual void BroadcastSettingChange(const std::string& section) = 0;

    // The settings block of the named printer built from its defaults, or nothing when the
    // printer is unknown.
    virtual std::optional<DeviceMode> DefaultDeviceMode(const std::string& device) = 0;
    // Lets the printer's driver check a block in place (values it cannot use replaced by its
    // own). False when the printer is unknown; the block is then unchanged.
    virtual bool MergeDeviceMode(const std::string& device, DeviceMode& mode) = 0;
};

}  // namespace korvent::platform
