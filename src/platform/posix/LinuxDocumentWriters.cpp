#include "platform/posix/LinuxDocumentWriters.h"

#include <cups/cups.h>

#include "platform/posix/CupsPdfQueueWriter.h"
#include "platform/posix/LibreOfficeWriter.h"

namespace korvent::platform {

namespace {

constexpr std::string_view kCupsPdfScheme = "cups-pdf:";

struct DestDeleter {
    void operator()(cups_dest_t* d) const { cupsFreeDests(1, d); }
};

}  // namespace

LinuxDocumentWriters::LinuxDocumentWriters(std::string cupsPdfFolder)
    : fCupsPdfFolder(std::move(cupsPdfFolder)) {}

std::vector<std::string> LinuxDocumentWriters::ExtraWriterNames() {
    return {kLibreOfficeName};
}

bool LinuxDocumentWriters::IsPdfQueue(const std::string& printerName) {
    return PdfDevice(printerName).has_value();
}

std::unique_ptr<DocumentWriter> LinuxDocumentWriters::Writer(const std::string& name) {
    if (name == kLibreOfficeName) {
        return std::make_unique<LibreOfficeWriter>(fBatches);
    }
    if (std::optional<std::string> device = PdfDevice(name)) {
        return std::make_unique<CupsPdfQueueWriter>(name, CupsPdfConfig(fCupsPdfFolder, *device),
                                                    fProgram);
    }
    return nullptr;
}

void LinuxDocumentWriters::Expect(const std::vector<std::string>& paths) {
    fBatches->Expect({paths.begin(), paths.end()});
}

std::optional<std::string> LinuxDocumentWriters::PdfDevice(const std::string& printerName) {
    if (printerName.empty()) {
        return std::nullopt;
    }
    std::unique_ptr<cups_dest_t, DestDeleter> dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, printerName.c_str(), nullptr));
    if (!dest) {
        return std::nullopt;
    }
    if (const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options)) {
        if (std::string_view(uri).starts_with(kCupsPdfScheme)) {
            return uri;
        }
        return std::nullopt;
    }
    const char* model = cupsGetOption("printer-make-and-model", dest->num_options, dest->options);
    if (model == nullptr || std::string_view(model).find("CUPS-PDF") == std::string_view::npos) {
        return std::nullopt;
    }
    // The queue set up by setup-pdf-queue.sh has a configuration file named after it.
    const std::string own = std::string(kCupsPdfScheme) + "/" + printerName;
    std::error_code ec;
    return std::filesystem::exists(CupsPdfConfig::FileFor(fCupsPdfFolder, own), ec)
               ? own
               : std::string(kCupsPdfScheme) + "/";
}

}  // namespace korvent::platform
