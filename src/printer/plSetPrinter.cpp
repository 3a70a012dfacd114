#include "printer/plSetPrinter.h"

#include <algorithm>
#include <span>

#include "platform/Abort.h"
#include "platform/ScopeExit.h"
#include "platform/TextCase.h"

namespace korvent::printer {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::string UpToZero(const std::string& s) {
    return s.substr(0, s.find('\0'));
}

}  // namespace

TplSetPrinter::TplSetPrinter(std::shared_ptr<TPrinterContext> context)
    : fContext(std::move(context)) {
    FPrinterCount = PrinterCount();
}

TplSetPrinter::~TplSetPrinter() = default;

int TplSetPrinter::PrinterCount() {
    return fContext->Enumerate();
}

std::size_t TplSetPrinter::RecordLimit() const {
    // Another selector may have enumerated since, and found fewer printers.
    return std::min(static_cast<std::size_t>(FPrinterCount), fContext->EnumBuffer.size());
}

const std::vector<std::string>& TplSetPrinter::Printers() {
    FPrinterList.clear();
    const auto& records = fContext->EnumBuffer;
    for (std::size_t k = 0; k < RecordLimit(); ++k) {
        if (!records[k].Hidden()) {
            FPrinterList.push_back(records[k].name);
        }
    }
    return FPrinterList;
}

int TplSetPrinter::FindPrinterIndex(const std::string& name) const {
    if (name.empty()) {
        return -1;
    }
    std::string wanted = platform::UpperCaseText(name);
    const auto& records = fContext->EnumBuffer;
    for (std::size_t k = 0; k < RecordLimit(); ++k) {
        if (records[k].Hidden() || records[k].name.empty()) {
            continue;
        }
        if (wanted.find(platform::UpperCaseText(records[k].name)) != std::string::npos) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

std::string TplSetPrinter::FindPrinterName(const std::string& name) const {
    int k = FindPrinterIndex(name);
    return k < 0 ? std::string() : fContext->EnumBuffer[static_cast<std::size_t>(k)].name;
}

int TplSetPrinter::MatchPrinterIndex(const std::string& name) const {
    if (name.empty()) {
        return -1;
    }
    const auto& records = fContext->EnumBuffer;
    for (std::size_t k = 0; k < RecordLimit(); ++k) {
        if (!records[k].Hidden() && platform::SameTextIgnoringCase(records[k].name, name)) {
            return static_cast<int>(k);
        }
    }
    return FindPrinterIndex(name);
}

std::string TplSetPrinter::PrinterName() const {
    if (FPrinterCount == 0) {
        return {};
    }
    int k = MatchPrinterIndex(FPrinterName);
    return k < 0 ? std::string() : fContext->EnumBuffer[static_cast<std::size_t>(k)].name;
}

void TplSetPrinter::SetPrinterName(const std::string& value) {
    if (FPrinterCount == 0 || value == FPrinterName) {
        return;
    }
    FPrinterName = value;
    if (FLoading) {
        return;  // the device data, read next, selects
    }
    FPrinterIndex = MatchPrinterIndex(value);
    SelectPrinter(FPrinterIndex);
    Changed();
}

void TplSetPrinter::SetPrinterIndex(int index) {
    if (FPrinterCount == 0 || index == FPrinterIndex) {
        return;
    }
    FPrinterIndex = index;
    const auto& list = fContext->Printer().Printers();
    if (index >= 0 && index < static_cast<int>(list.size())) {
        FPrinterName = list[static_cast<std::size_t>(index)];
    } else {
        FPrinterIndex = -1;
    }
    SelectPrinter(FPrinterIndex);
    Changed();
}

void TplSetPrinter::FetchPrinter() {
    platform::ApplicationPrinter::Names names = fContext->Printer().GetPrinter();
    FDevice = names.device;
    FDriver = names.driver;
    FPort = names.port;
    FDeviceMode = fContext->Printer().DeviceModeBlock();
}

void TplSetPrinter::MergeBlock() {
    if (FDeviceMode != nullptr) {
        // A driver that refuses leaves the block as it is, which is good enough to print with.
        fContext->System().MergeDeviceMode(FDevice, *FDeviceMode);
    }
}

void TplSetPrinter::SelectPrinter(int index) {
    if (FPrinterCount == 0) {
        return;
    }
    platform::ApplicationPrinter& printer = fContext->Printer();
    printer.SetPrinterIndex(index);
    FPrinterIndex = printer.PrinterIndex();
    const auto& list = printer.Printers();
    if (FPrinterIndex >= 0 && FPrinterIndex < static_cast<int>(list.size())) {
        FPrinterName = list[static_cast<std::size_t>(FPrinterIndex)];
    }
    FetchPrinter();
    if (FDeviceMode == nullptr) {
        return;
    }
    // A fresh block from the driver's defaults, then the stored bytes over its start.
    printer.SetPrinter({FDevice, FDriver, FPort}, std::nullopt);
    FetchPrinter();
    if (FHasDevData) {
        std::size_t n =
            std::min({static_cast<std::size_t>(FDevDataSize), FDecodedSize, FDevData.size()});
        FDeviceMode->Overlay(std::span<const std::uint8_t>(FDevData.data(), n));
    }
    MergeBlock();
    printer.SetPrinter({FDevice, FDriver, FPort}, *FDeviceMode);
    FetchPrinter();
}

void TplSetPrinter::UpdateFromPrinter(bool reset) {
    if (FPrinterCount == 0) {
        return;
    }
    platform::ApplicationPrinter& printer = fContext->Printer();
    int current = printer.PrinterIndex();
    const auto& list = printer.Printers();
    if (current >= 0 && current < static_cast<int>(list.size())) {
        FPrinterName = list[static_cast<std::size_t>(current)];
    }
    FPrinterIndex = MatchPrinterIndex(FPrinterName);
    FetchPrinter();
    if (FDeviceMode == nullptr) {
        return;
    }
    if (reset) {
        printer.SetPrinter({FDevice, FDriver, FPort}, std::nullopt);
        FetchPrinter();
    }
    MergeBlock();
    printer.SetPrinter({FDevice, FDriver, FPort}, *FDeviceMode);
    FetchPrinter();
    CaptureDevData();
}

void TplSetPrinter::CaptureDevData() {
    if (FPrinterCount == 0 || FDeviceMode == nullptr) {
        return;
    }
    auto bytes = FDeviceMode->Bytes();
    FDevData.assign(bytes.begin(), bytes.end());
    FDevDataSize = static_cast<int>(FDevData.size());
    FDecodedSize = FDevData.size();
    FHasDevData = true;
}

int TplSetPrinter::PrinterIndexOfPosition(int position) const {
    if (position < 0) {
        return -1;
    }
    const auto& records = fContext->EnumBuffer;
    int seen = 0;
    for (std::size_t k = 0; k < RecordLimit(); ++k) {
        if (records[k].Hidden()) {
            continue;
        }
        if (seen++ == position) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

int TplSetPrinter::PositionOfPrinterIndex(int index) const {
    const auto& records = fContext->EnumBuffer;
    if (index < 0 || static_cast<std::size_t>(index) >= RecordLimit() ||
        records[static_cast<std::size_t>(index)].Hidden()) {
        return -1;
    }
    int position = 0;
    for (int k = 0; k < index; ++k) {
        if (!records[static_cast<std::size_t>(k)].Hidden()) {
            ++position;
        }
    }
    return position;
}

void TplSetPrinter::ReadDevDataSize(int size) {
    FDevDataSize = std::max(size, 0);
}

void TplSetPrinter::ReadADevData(const std::string& text) {
    FDevDataText = text;
    FDevData.assign(text.size() / 2 + 1, 0);
    FHasDevData = true;
    FDecodedSize = 0;
    bool valid = true;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        int high = HexDigit(text[i]);
        int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) {
            valid = false;
            break;
        }
        FDevData[FDecodedSize++] = static_cast<std::uint8_t>(high * 16 + low);
    }
    FPrinterIndex = valid ? MatchPrinterIndex(FPrinterName) : -1;
    SelectPrinter(FPrinterIndex);
}

void TplSetPrinter::ReadDesignValue(const std::vector<TFormValue>& values) {
    auto text = [&](std::size_t i) -> const std::string& {
        if (i >= values.size() || !std::holds_alternative<std::string>(values[i])) {
            throw EAbort();
        }
        return std::get<std::string>(values[i]);
    };
    auto number = [&](std::size_t i) {
        if (i >= values.size() || !std::holds_alternative<int>(values[i])) {
            throw EAbort();
        }
        return std::get<int>(values[i]);
    };
    if (values.size() != 6) {
        throw EAbort();
    }
    TDesignValues design;
    design.PrinterName = text(0);
    design.Landscape = number(1);
    design.PaperName = text(2);
    design.PaperSize = number(3);
    design.DefaultSource = number(4);
    design.DriverVersion = number(5);
    FDesign = std::move(design);
}

void TplSetPrinter::LoadProperties(const TPrinterProperties& properties) {
    FLoading = true;
    const platform::ScopeExit loaded([this] { FLoading = false; });
    SetPrinterName(properties.PrinterName);
    ReadDevDataSize(properties.DevDataSize);
    if (properties.ADevData) {
        ReadADevData(*properties.ADevData);
    }
    if (properties.DesignValue) {
        ReadDesignValue(*properties.DesignValue);
    }
}

TPrinterProperties TplSetPrinter::StoredProperties() const {
    TPrinterProperties p;
    p.PrinterName = PrinterName();
    p.DevDataSize = FDevDataSize;
    if (FDevDataSize > 0) {
        static const char kHex[] = "0123456789ABCDEF";
        std::string hex;
        hex.reserve(static_cast<std::size_t>(FDevDataSize) * 2);
        for (int i = 0; i < FDevDataSize; ++i) {
            // Bytes the stored size promises but the data never held are written as zeros.
            std::uint8_t b = static_cast<std::size_t>(i) < FDevData.size() && FHasDevData
                                 ? FDevData[static_cast<std::size_t>(i)]
                                 : 0;
            hex += kHex[b >> 4];
            hex += kHex[b & 0x0F];
        }
        p.ADevData = std::move(hex);
        p.DesignValue = std::vector<TFormValue>{FDesign.PrinterName,   FDesign.Landscape,
                                                FDesign.PaperName,     FDesign.PaperSize,
                                                FDesign.DefaultSource, FDesign.DriverVersion};
    }
    return p;
}

void TplSetPrinter::Changed() {
    if (OnPrinterChange) {
        OnPrinterChange(*this);
    }
}

void SetDefaultPrinterByIndex(TPrinterContext& context, int index) {
    platform::ApplicationPrinter& printer = context.Printer();
    printer.SetPrinterIndex(index);
    if (printer.PrinterIndex() < 0) {
        return;  // no printers: nothing to make the default
    }
    platform::ApplicationPrinter::Names names = printer.GetPrinter();
    // Names are kept whole: a cut name would make a printer the default that does not exist.
    std::string value =
        UpToZero(names.device) + "," + UpToZero(names.driver) + "," + UpToZero(names.port);
    context.System().WriteDefaultDevice(value);
    context.System().BroadcastSettingChange("windows");
}

}  // namespace korvent::printer
