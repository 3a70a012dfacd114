#include "platform/win32/SpoolerPrintSystem.h"

#include <windows.h>

#include <winspool.h>
// The spooler's header renames the function after its character set; ours keeps its name.
#undef EnumPrinters

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>

#include "platform/Exception.h"
#include "platform/win32/Utf16.h"

namespace korvent::platform {
namespace {

constexpr DWORD kEnumFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
constexpr auto kBroadcastTimeout = std::chrono::milliseconds(5000);

// An open printer, closed when it goes.
class OpenedPrinter {
public:
    explicit OpenedPrinter(const std::string& device) : fName(ToUtf16(device)) {
        if (!OpenPrinterW(fName.data(), &fHandle, nullptr)) {
            fHandle = nullptr;
        }
    }
    ~OpenedPrinter() {
        if (fHandle) {
            ClosePrinter(fHandle);
        }
    }
    OpenedPrinter(const OpenedPrinter&) = delete;
    OpenedPrinter& operator=(const OpenedPrinter&) = delete;

    explicit operator bool() const { return fHandle != nullptr; }

    // The driver's whole settings record: its defaults, or `input` laid over them and checked.
    std::vector<std::uint8_t> Properties(const DeviceMode* input) {
        const LONG size = DocumentPropertiesA(nullptr, fHandle, Ansi().data(), nullptr, nullptr, 0);
        if (size <= 0) {
            return {};
        }
        std::vector<std::uint8_t> out(static_cast<std::size_t>(size));
        if (DocumentPropertiesA(nullptr, fHandle, Ansi().data(),
                                reinterpret_cast<DEVMODEA*>(out.data()), nullptr,
                                DM_OUT_BUFFER) != IDOK) {
            return {};
        }
        if (!input) {
            return out;
        }
        std::vector<std::uint8_t> in = out;
        LayOver(*input, in);
        if (DocumentPropertiesA(
                nullptr, fHandle, Ansi().data(), reinterpret_cast<DEVMODEA*>(out.data()),
                reinterpret_cast<DEVMODEA*>(in.data()), DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK) {
            return {};
        }
        return out;
    }

private:
    std::string Ansi() const { return ToAnsi(FromUtf16(fName)); }

    // The fields of our block over the driver's record; its sizes and name stay the driver's.
    static void LayOver(const DeviceMode& mode, std::vector<std::uint8_t>& record) {
        constexpr std::size_t kFieldsStart = offsetof(DEVMODEA, dmFields);
        const std::size_t end = std::min(mode.Size(), record.size());
        std::copy(mode.Bytes().begin() + kFieldsStart, mode.Bytes().begin() + end,
                  record.begin() + kFieldsStart);
    }

    std::wstring fName;
    HANDLE fHandle = nullptr;
};

// Our block from the public part of a driver's record, named as this program names printers.
DeviceMode FromRecord(const std::string& device, const std::vector<std::uint8_t>& record) {
    DeviceMode mode(device);
    constexpr std::size_t kFieldsStart = offsetof(DEVMODEA, dmFields);
    const std::size_t end = std::min(mode.Size(), record.size());
    std::copy(record.begin() + kFieldsStart, record.begin() + end,
              mode.Bytes().begin() + kFieldsStart);
    return mode;
}

}  // namespace

std::vector<PrinterRecord> SpoolerPrintSystem::EnumPrinters() {
    DWORD needed = 0;
    DWORD count = 0;
    ::EnumPrintersW(kEnumFlags, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed == 0) {
        return {};
    }
    std::vector<std::uint8_t> buffer(needed);
    if (!::EnumPrintersW(kEnumFlags, nullptr, 4, buffer.data(), needed, &needed, &count)) {
        throw Exception(SystemErrorText(GetLastError()));
    }
    const auto* info = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
    std::vector<PrinterRecord> printers;
    for (DWORD i = 0; i < count; ++i) {
        PrinterRecord record;
        record.name = FromUtf16(info[i].pPrinterName);
        record.attributes = info[i].Attributes;
        printers.push_back(record);
    }
    return printers;
}

std::string SpoolerPrintSystem::DefaultPrinterName() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) {
        return {};
    }
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size)) {
        return {};
    }
    name.resize(std::wcslen(name.c_str()));
    return FromUtf16(name);
}

bool SpoolerPrintSystem::WriteDefaultDevice(const std::string& value) {
    const std::string name = value.substr(0, value.find(','));
    const auto printers = EnumPrinters();
    const bool known = std::any_of(printers.begin(), printers.end(),
                                   [&](const PrinterRecord& p) { return p.name == name; });
    return known && SetDefaultPrinterW(ToUtf16(name).c_str());
}

void SpoolerPrintSystem::BroadcastSettingChange(const std::string& section) {
    const std::wstring wide = ToUtf16(section);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                        SMTO_ABORTIFHUNG | SMTO_NORMAL,
                        static_cast<UINT>(kBroadcastTimeout.count()), &ignored);
}

std::optional<DeviceMode> SpoolerPrintSystem::DefaultDeviceMode(const std::string& device) {
    OpenedPrinter printer(device);
    if (!printer) {
        return std::nullopt;
    }
    const auto record = printer.Properties(nullptr);
    if (record.empty()) {
        return std::nullopt;
    }
    return FromRecord(device, record);
}

bool SpoolerPrintSystem::MergeDeviceMode(const std::string& device, DeviceMode& mode) {
    OpenedPrinter printer(device);
    if (!printer) {
        return false;
    }
    const auto record = printer.Properties(&mode);
    if (record.empty()) {
        return false;
    }
    mode = FromRecord(device, record);
    return true;
}

}  // namespace korvent::platform
