#pragma once

#include <memory>

#include "platform/DocumentWriter.h"
#include "platform/posix/LibreOfficeProgram.h"

namespace korvent::platform {

// "LibreOffice PDF": each document is exported by its own `soffice --convert-to pdf` into a
// private temporary folder; the job is complete when soffice has ended well and left a complete
// PDF there. The PDF is removed with the job, so the caller moves it away first (MoveFile).
// Documents go one at a time: jobs share the program's profile.
class LibreOfficeWriter final : public DocumentWriter {
public:
    explicit LibreOfficeWriter(std::shared_ptr<LibreOfficeProgram> program);

    // Refuses (null) a document that cannot be read, with its shell error code. A soffice that
    // is missing or cannot start gives a job that has failed already.
    std::unique_ptr<WriterJob> Start(const std::string& path, int& error) override;

private:
    std::shared_ptr<LibreOfficeProgram> fProgram;
};

}  // namespace korvent::platform
