#include "platform/posix/CupsPrintSystem.h"

#include <cups/cups.h>
#include <cups/pwg.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>

#include "platform/Exception.h"

namespace korvent::platform {

namespace {

// The destinations of one cupsGetDests2 call, freed with the object.
class DestList {
public:
    DestList() { fCount = cupsGetDests2(CUPS_HTTP_DEFAULT, &fDests); }
    ~DestList() { cupsFreeDests(fCount, fDests); }
    DestList(const DestList&) = delete;
    DestList& operator=(const DestList&) = delete;

    std::span<cups_dest_t> Dests() { return {fDests, static_cast<std::size_t>(fCount)}; }
    int Count() const { return fCount; }
    cups_dest_t* Data() { return fDests; }

    cups_dest_t* Find(const std::string& name) {
        return cupsGetDest(name.c_str(), nullptr, fCount, fDests);
    }

private:
    cups_dest_t* fDests = nullptr;
    int fCount = 0;
};

struct DestDeleter {
    void operator()(cups_dest_t* d) const { cupsFreeDests(1, d); }
};
struct DestInfoDeleter {
    void operator()(cups_dinfo_t* d) const { cupsFreeDestInfo(d); }
};

bool IsListed(std::span<const PrinterRecord> printers, const char* name) {
    return name != nullptr && std::any_of(printers.begin(), printers.end(),
                                          [&](const PrinterRecord& r) { return r.name == name; });
}

std::optional<int> ToInt(const char* text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    int value = 0;
    const char* end = text + std::strlen(text);
    auto [ptr, ec] = std::from_chars(text, end, value);
    if (ec != std::errc() || ptr == text) {
        return std::nullopt;
    }
    return value;
}

std::int16_t Clamp16(int v) {
    return static_cast<std::int16_t>(std::clamp(v, 0, 32767));
}

// The value of a job option: the user's own (lpoptions) first, then the printer's default.
std::string OptionValue(cups_dest_t* dest, cups_dinfo_t* info, const char* option) {
    if (const char* v = cupsGetOption(option, dest->num_options, dest->options)) {
        return v;
    }
    if (info != nullptr) {
        if (ipp_attribute_t* a = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, option)) {
            char buffer[256];
            ippAttributeString(a, buffer, sizeof buffer);
            return buffer;
        }
    }
    return {};
}

void ApplyMedia(cups_dest_t* dest, cups_dinfo_t* info, DeviceMode& mode) {
    int width = 0;
    int length = 0;
    const char* media = cupsGetOption("media", dest->num_options, dest->options);
    if (media == nullptr) {
        media = cupsGetOption("PageSize", dest->num_options, dest->options);
    }
    if (media != nullptr) {
        pwg_media_t* pwg = pwgMediaForPWG(media);
        if (pwg == nullptr) {
            pwg = pwgMediaForLegacy(media);
        }
        if (pwg == nullptr) {
            pwg = pwgMediaForPPD(media);
        }
        if (pwg != nullptr) {
            width = pwg->width;
            length = pwg->length;
        }
    }
    if ((width <= 0 || length <= 0) && info != nullptr) {
        cups_size_t size;
        if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &size)) {
            width = size.width;
            length = size.length;
        }
    }
    if (width <= 0 || length <= 0) {
        return;  // the block keeps A4
    }
    mode.SetPaperSize(DeviceMode::PaperCodeForSize(width, length));
    mode.SetPaperWidth(Clamp16(width / 10));
    mode.SetPaperLength(Clamp16(length / 10));
}

}  // namespace

std::vector<PrinterRecord> CupsPrintSystem::EnumPrinters() {
    DestList list;
    std::vector<PrinterRecord> printers;
    for (const cups_dest_t& d : list.Dests()) {
        if (d.instance != nullptr) {
            continue;
        }
        printers.push_back({d.name, {}, {}, 0});
    }
    // An unreachable server lists nothing: the program then runs without printers, as it
    // would on a machine that has none installed.
    return printers;
}

std::string CupsPrintSystem::DefaultPrinterName() {
    std::vector<PrinterRecord> printers = EnumPrinters();
    std::unique_ptr<cups_dest_t, DestDeleter> user(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
    if (user && IsListed(printers, user->name)) {
        return user->name;
    }
    // The user's default is unset or names a deleted printer (printing without a printer name
    // fails then); the server's default is where printing goes once it is cleared.
    const char* server = cupsGetDefault2(CUPS_HTTP_DEFAULT);
    if (IsListed(printers, server)) {
        return server;
    }
    return {};
}

bool CupsPrintSystem::WriteDefaultDevice(const std::string& value) {
    std::string name = value.substr(0, value.find(','));
    if (name.empty()) {
        return false;
    }
    DestList list;
    cups_dest_t* chosen = list.Find(name);
    if (chosen == nullptr || chosen->instance != nullptr) {
        return false;
    }
    for (cups_dest_t& d : list.Dests()) {
        d.is_default = 0;
    }
    chosen->is_default = 1;
    return cupsSetDests2(CUPS_HTTP_DEFAULT, list.Count(), list.Data()) == 0;
}

void CupsPrintSystem::BroadcastSettingChange(const std::string& /*section*/) {}

std::optional<DeviceMode> CupsPrintSystem::DefaultDeviceMode(const std::string& device) {
    if (device.empty()) {
        return std::nullopt;
    }
    std::unique_ptr<cups_dest_t, DestDeleter> dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, device.c_str(), nullptr));
    if (!dest) {
        return std::nullopt;
    }
    std::unique_ptr<cups_dinfo_t, DestInfoDeleter> info(
        cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()));

    DeviceMode mode(device);
    ApplyMedia(dest.get(), info.get(), mode);

    std::string orientation = OptionValue(dest.get(), info.get(), "orientation-requested");
    bool landscape = orientation == "4" || orientation == "5" || orientation == "landscape" ||
                     orientation == "reverse-landscape" ||
                     cupsGetOption("landscape", dest->num_options, dest->options) != nullptr;
    mode.SetOrientation(landscape ? DeviceMode::kLandscape : DeviceMode::kPortrait);

    if (std::optional<int> copies = ToInt(OptionValue(dest.get(), info.get(), "copies").c_str());
        copies && *copies >= 1) {
        mode.SetCopies(Clamp16(*copies));
    }

    std::string colour = OptionValue(dest.get(), info.get(), "print-color-mode");
    if (colour.empty()) {
        std::optional<int> type =
            ToInt(cupsGetOption("printer-type", dest->num_options, dest->options));
        bool colourPrinter = type && (*type & CUPS_PRINTER_COLOR) != 0;
        mode.SetColor(colourPrinter ? DeviceMode::kColor : DeviceMode::kMonochrome);
    } else {
        bool mono = colour == "monochrome" || colour == "process-monochrome" ||
                    colour == "bi-level" || colour == "auto-monochrome";
        mode.SetColor(mono ? DeviceMode::kMonochrome : DeviceMode::kColor);
    }

    std::string sides = OptionValue(dest.get(), info.get(), "sides");
    if (sides == "two-sided-long-edge") {
        mode.SetDuplex(DeviceMode::kDuplexLongEdge);
    } else if (sides == "two-sided-short-edge") {
        mode.SetDuplex(DeviceMode::kDuplexShortEdge);
    } else {
        mode.SetDuplex(DeviceMode::kSimplex);
    }

    // "300dpi" or "600x1200dpi"; other units are left at the block's default.
    std::string resolution = OptionValue(dest.get(), info.get(), "printer-resolution");
    if (resolution.ends_with("dpi")) {
        std::string numbers = resolution.substr(0, resolution.size() - 3);
        std::size_t x = numbers.find('x');
        std::optional<int> xres = ToInt(numbers.substr(0, x).c_str());
        std::optional<int> yres =
            x == std::string::npos ? xres : ToInt(numbers.substr(x + 1).c_str());
        if (xres && yres && *xres > 0 && *yres > 0) {
            mode.SetPrintQuality(Clamp16(*xres));
            mode.SetYResolution(Clamp16(*yres));
        }
    }
    return mode;
}

bool CupsPrintSystem::MergeDeviceMode(const std::string& device, DeviceMode& mode) {
    std::optional<DeviceMode> defaults = DefaultDeviceMode(device);
    if (!defaults) {
        return false;
    }
    mode.Validate(*defaults);
    return true;
}

}  // namespace korvent::platform
