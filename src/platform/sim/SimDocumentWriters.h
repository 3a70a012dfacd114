#pragma once

#include <chrono>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/DocumentWriter.h"
#include "platform/TemporaryFolder.h"

namespace korvent::platform {

// Dialog-free writers for tests, on the test's clock: every job follows the next entry of a
// script (complete, fail, be cancelled or never finish, after a chosen virtual time); a job
// beyond the script completes after one 500 ms tick. A completed job writes a small valid PDF
// named after the document into a temporary folder, which goes with the job as a real
// writer's output does. Every request is recorded. Jobs have no request process.
class SimDocumentWriters final : public DocumentWriters {
public:
    enum class Outcome { Complete, Fail, Cancel, NoOutput };
    struct Script {
        Outcome outcome = Outcome::Complete;
        std::chrono::milliseconds after{500};
        std::string failureText;  // for Fail
    };
    struct Request {
        std::string writer;
        std::string path;
        bool operator==(const Request&) const = default;
    };
    static constexpr const char* kCancelledText = "印刷ジョブが取り消されました";

    explicit SimDocumentWriters(Clock& clock);
    ~SimDocumentWriters() override;

    std::vector<std::string> ExtraWriterNames() override { return fExtraNames; }
    bool IsPdfQueue(const std::string& printerName) override;
    std::unique_ptr<DocumentWriter> Writer(const std::string& name) override;

    void SetExtraWriterNames(std::vector<std::string> names) { fExtraNames = std::move(names); }
    void AddPdfQueue(const std::string& name) { fQueues.insert(name); }
    // The outcome of the next job not yet scripted.
    void AddScript(Script script) { fScripts.push_back(std::move(script)); }
    // The next Start is refused with this shell error code.
    void RefuseNextStart(int error) { fRefusals.push_back(error); }

    const std::vector<Request>& Requests() const { return fRequests; }
    const std::filesystem::path& OutputFolder() const { return fFolder.Path(); }

    // The bytes of the PDF a completed job writes.
    static std::string SmallPdf();

private:
    class SimWriter;
    class Job;

    Clock& fClock;
    TemporaryFolder fFolder{"korvent-sim-writers"};
    std::vector<std::string> fExtraNames = {"LibreOffice PDF"};
    std::set<std::string> fQueues;
    std::deque<Script> fScripts;
    std::deque<int> fRefusals;
    std::vector<Request> fRequests;
};

}  // namespace korvent::platform
