#pragma once

#include <filesystem>
#include <string>

#include "printer/CupsServer.h"

namespace korvent::writers::testing {

// A private CUPS scheduler (CupsServer) with one cups-pdf queue. cups-pdf reads its settings
// from /etc/cups whatever the scheduler's, so the queue's device names a configuration file of
// its own there (sending output, spool and log into the server's folder); Stop() removes it.
class PdfQueueServer {
public:
    explicit PdfQueueServer(std::string queue) : fQueue(std::move(queue)) {}
    ~PdfQueueServer() { Stop(); }

    // Empty on success, otherwise why the queue cannot be offered (a reason to skip).
    std::string Start();
    void Stop();

    const std::string& Queue() const { return fQueue; }
    const printer::testing::CupsServer& Cups() const { return fServer; }
    // Where cups-pdf leaves its PDFs.
    std::filesystem::path OutFolder() const { return fServer.Dir() / "pdf"; }
    // What the scheduler and cups-pdf logged, for the message of a failed case.
    std::string Log() const;

private:
    std::string fQueue;
    printer::testing::CupsServer fServer;
    std::filesystem::path fConfigFile;
};

}  // namespace korvent::writers::testing
