#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/DeviceMode.h"
#include "platform/PrintSystem.h"

namespace korvent::platform {

// The program's printer object: the printer list, the current printer (index −1 stands for
// the system default printer) and the settings block in use for it. One object serves the
// whole program; every printer selector works through it.
class ApplicationPrinter {
public:
    struct Names {
        std::string device;
        std::string driver;
        std::string port;
    };

    explicit ApplicationPrinter(PrintSystem& system);

    PrintSystem& System() { return fSystem; }

    // The entries' texts: the printer names, or "name on port" where records carry ports.
    // Fetched on first use and kept until Refresh().
    const std::vector<std::string>& Printers();
    void Refresh();

    // The current printer; resolves the system default when none has been chosen. −1 only
    // when there are no printers.
    int PrinterIndex();
    // −1, or an index with no entry, selects the system default printer.
    void SetPrinterIndex(int index);

    // Names of the current printer (empty strings when there are no printers).
    Names GetPrinter();
    // The settings block of the current printer, built from its defaults when none is set;
    // owned by this object and valid until the printer changes. Null when there are no
    // printers.
    DeviceMode* DeviceModeBlock();
    // Makes `device` the current printer (an entry is added when the list has none by that
    // name) and uses `mode` as its block, or a block built from its defaults.
    void SetPrinter(const Names& names, std::optional<DeviceMode> mode);

private:
    struct Entry {
        Names names;
        std::string text;
    };

    void Load();
    int DefaultIndex();

    PrintSystem& fSystem;
    bool fLoaded = false;
    std::vector<Entry> fEntries;
    std::vector<std::string> fTexts;
    int fIndex = -1;
    std::optional<DeviceMode> fMode;
};

}  // namespace korvent::platform
