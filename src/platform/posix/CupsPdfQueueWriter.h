#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/DocumentWriter.h"
#include "platform/posix/CupsPdfConfig.h"
#include "platform/posix/LibreOfficeProgram.h"

namespace korvent::platform {

// A CUPS queue with a cups-pdf device. Types that CUPS prints itself (PDF, PostScript, text,
// pictures) are sent with libcups; office documents are printed by LibreOffice's headless
// print to the queue, and their print job is the first new job of this user on the queue
// after the request. The job is followed with libcups; its PDF is the file labelled with the
// job's id ("-job_N", which Label 2 puts on every file) in the queue's output folder for the
// job's owner. Complete when CUPS reports the job completed and that file is a complete PDF.
// The PDF stays in the output folder: the caller moves it to its final path (MoveFile).
// Dropping a job that has not ended cancels its print job.
class CupsPdfQueueWriter final : public DocumentWriter {
public:
    CupsPdfQueueWriter(std::string queue, CupsPdfConfig config,
                       std::shared_ptr<LibreOfficeProgram> program);

    // Refuses (null) a document that cannot be read, with its shell error code, and any
    // document when the print system does not answer (PrintSystemUnavailable).
    std::unique_ptr<WriterJob> Start(const std::string& path, int& error) override;

    // Whether CUPS prints the document itself, judged by its extension.
    static bool PrintedByCups(const std::filesystem::path& document);

private:
    std::unique_ptr<WriterJob> StartInLibreOffice(const std::filesystem::path& document,
                                                  int& error);

    std::string fQueue;
    CupsPdfConfig fConfig;
    std::shared_ptr<LibreOfficeProgram> fProgram;
};

}  // namespace korvent::platform
