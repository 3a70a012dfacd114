#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ShellActions.h"

namespace korvent::platform {

enum class WriterJobState { Running, Completed, Failed };

// One document on its way to a PDF through a writer that shows no dialog: the request is made
// when the job starts, and the job is asked, tick by tick, whether its PDF is ready. Dropping
// the job removes whatever temporary output it still holds.
class WriterJob {
public:
    virtual ~WriterJob() = default;
    // Looks at the writer's progress; never blocks for long.
    virtual WriterJobState Poll() = 0;
    // The finished PDF, complete and closed, where the writer left it; set once Completed.
    virtual std::string OutputFile() const = 0;
    // Why the job failed, a short text for the run's summary; set once Failed.
    virtual std::string FailureText() const = 0;
    // The program that carries the request out, which the run waits for; null when none.
    virtual Process* RequestProcess() = 0;
};

// A writer that makes PDFs without a dialog (an export program, a PDF print queue).
class DocumentWriter {
public:
    virtual ~DocumentWriter() = default;
    // Starts a job for the document at `path`. On failure returns null and sets `error` to a
    // shell error code (shell_error).
    virtual std::unique_ptr<WriterJob> Start(const std::string& path, int& error) = 0;
};

// The dialog-free writers of this system: those offered beside the printers and the print
// queues whose output can be followed.
class DocumentWriters {
public:
    virtual ~DocumentWriters() = default;
    // Writers listed after the printers in the writer choice.
    virtual std::vector<std::string> ExtraWriterNames() = 0;
    // Whether `printerName` is a print queue that writes PDFs into a folder (followed jobs).
    virtual bool IsPdfQueue(const std::string& printerName) = 0;
    // The writer behind an extra writer's name or a PDF queue's name; null for any other name.
    virtual std::unique_ptr<DocumentWriter> Writer(const std::string& name) = 0;
    // The documents a run will hand to its writer from now on, the next one first, so that a
    // writer may prepare several at once; a new list replaces the last one.
    virtual void Expect(const std::vector<std::string>& paths) { (void)paths; }
};

}  // namespace korvent::platform
