#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "printer/PrinterContext.h"
#include "printer/PrinterProperties.h"

namespace korvent::printer {

// One installed printer, chosen by name or by index (−1 = the system default printer), with a
// block of stored device settings that is laid over the printer's own settings whenever it is
// selected. Selecting points the program's printer object at the printer. With no printers
// installed when the selector was made, every operation does nothing.
class TplSetPrinter {
public:
    using TNotifyEvent = std::function<void(TplSetPrinter& sender)>;

    // The selectors of one program share one context.
    explicit TplSetPrinter(std::shared_ptr<TPrinterContext> context);
    ~TplSetPrinter();
    TplSetPrinter(const TplSetPrinter&) = delete;
    TplSetPrinter& operator=(const TplSetPrinter&) = delete;

    TPrinterContext& Context() { return *fContext; }

    // Enumerates the printers again (shared by all selectors) and returns their number; the
    // selector's own count, taken when it was made, stays as it is.
    int PrinterCount();
    // Names of the printers that are not hidden, in the system's order (positions in this list
    // are not printer indices once a hidden printer precedes). Refilled on every call.
    const std::vector<std::string>& Printers();

    // The selected printer's name as the system spells it; empty when there is none.
    std::string PrinterName() const;
    // Selects the printer of that name (any letter case; a name that merely contains a
    // printer's name, such as "name on port", selects that printer) or, when none matches, the
    // system default; raises OnPrinterChange. Ignored when the name is the current one.
    void SetPrinterName(const std::string& value);
    int PrinterIndex() const { return FPrinterIndex; }
    // Selects printer `index` (−1 or an index without a printer: the system default) and
    // raises OnPrinterChange. Ignored when `index` is the current index.
    void SetPrinterIndex(int index);

    // The first printer whose upper-cased name occurs in the upper-cased `name`, counting
    // hidden printers: its index or its name as listed. −1 / empty when none matches.
    int FindPrinterIndex(const std::string& name) const;
    std::string FindPrinterName(const std::string& name) const;

    // Points the printer object at printer `index` and lays the stored data over the
    // printer's default settings.
    void SelectPrinter(int index);
    // Takes the printer object's current printer and its settings as the selection and
    // stores them; with `reset` the printer's defaults are rebuilt first.
    void UpdateFromPrinter(bool reset);
    // Stores the printer object's current settings block as the device data.
    void CaptureDevData();

    // Conversions between positions in Printers() and printer indices; −1 when there is no
    // such position or the printer is hidden.
    int PrinterIndexOfPosition(int position) const;
    int PositionOfPrinterIndex(int index) const;

    // Stored properties. Loading takes them in the order PrinterName, DevDataSize, ADevData,
    // DesignValue; the printer is selected once the device data has been read.
    void LoadProperties(const TPrinterProperties& properties);
    TPrinterProperties StoredProperties() const;
    void ReadDevDataSize(int size);
    void ReadADevData(const std::string& text);
    // Throws korvent::EAbort when the list is not the six values it should be.
    void ReadDesignValue(const std::vector<TFormValue>& values);

    int DevDataSize() const { return FDevDataSize; }
    const std::vector<std::uint8_t>& DevData() const { return FDevData; }
    const TDesignValues& DesignValues() const { return FDesign; }
    // Names of the selected printer and its settings block, as last fetched.
    const std::string& Device() const { return FDevice; }
    const std::string& Driver() const { return FDriver; }
    const std::string& Port() const { return FPort; }
    const platform::DeviceMode* DeviceModeBlock() const { return FDeviceMode; }

    TNotifyEvent OnPrinterChange;

private:
    void FetchPrinter();
    void MergeBlock();
    std::size_t RecordLimit() const;
    // The printer a given name selects: one of exactly that name (any letter case) first, so
    // that a name that begins with another printer's name still selects its own printer.
    int MatchPrinterIndex(const std::string& name) const;
    void Changed();

    std::shared_ptr<TPrinterContext> fContext;
    std::string FDevice;
    std::string FDriver;
    std::string FPort;
    platform::DeviceMode* FDeviceMode = nullptr;
    std::string FDevDataText;
    std::vector<std::uint8_t> FDevData;
    bool FHasDevData = false;
    std::size_t FDecodedSize = 0;
    int FDevDataSize = 0;
    int FPrinterCount = 0;
    std::string FPrinterName;
    int FPrinterIndex = -1;
    std::vector<std::string> FPrinterList;
    TDesignValues FDesign;
    bool FLoading = false;
};

// Makes printer `index` of the printer object (−1: the current default) the system default
// printer: stores "device,driver,port" as the default-printer value and announces the change.
void SetDefaultPrinterByIndex(TPrinterContext& context, int index);

}  // namespace korvent::printer
