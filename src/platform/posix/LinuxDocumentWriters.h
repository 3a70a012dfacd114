#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/DocumentWriter.h"
#include "platform/posix/CupsPdfConfig.h"
#include "platform/posix/LibreOfficeBatches.h"
#include "platform/posix/LibreOfficeProgram.h"

namespace korvent::platform {

// The dialog-free writers of a Linux desktop: "LibreOffice PDF", always offered (its jobs fail
// with a reason where LibreOffice is missing), and every CUPS queue with a cups-pdf device.
// All writers of one object share one LibreOffice profile, made at its first use.
class LinuxDocumentWriters final : public DocumentWriters {
public:
    static constexpr const char* kLibreOfficeName = "LibreOffice PDF";

    // `cupsPdfFolder` is where cups-pdf keeps its configuration files.
    explicit LinuxDocumentWriters(std::string cupsPdfFolder = CupsPdfConfig::kSystemFolder);

    std::vector<std::string> ExtraWriterNames() override;
    // A queue whose device URI starts with "cups-pdf:". Where the scheduler does not show the
    // device to this user, a queue whose driver is cups-pdf's ("CUPS-PDF" in its make and
    // model) counts as one.
    bool IsPdfQueue(const std::string& printerName) override;
    std::unique_ptr<DocumentWriter> Writer(const std::string& name) override;
    // LibreOffice exports the expected documents in batches.
    void Expect(const std::vector<std::string>& paths) override;

private:
    // The queue's cups-pdf device URI; nothing for another device or an unknown queue. Where
    // the device is hidden, the device the queue's own configuration file would serve.
    std::optional<std::string> PdfDevice(const std::string& printerName);

    std::string fCupsPdfFolder;
    std::shared_ptr<LibreOfficeProgram> fProgram = std::make_shared<LibreOfficeProgram>();
    std::shared_ptr<LibreOfficeBatches> fBatches = std::make_shared<LibreOfficeBatches>(fProgram);
};

}  // namespace korvent::platform
