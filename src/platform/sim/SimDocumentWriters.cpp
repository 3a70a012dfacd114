#include "platform/sim/SimDocumentWriters.h"

#include <algorithm>
#include <cstdio>

#include "platform/AtomicFile.h"

namespace korvent::platform {

namespace fs = std::filesystem;

class SimDocumentWriters::Job final : public WriterJob {
public:
    Job(Clock& clock, Script script, fs::path output)
        : fClock(clock),
          fScript(std::move(script)),
          fEnd(clock.Now() + fScript.after),
          fOutput(std::move(output)) {}
    ~Job() override {
        std::error_code ignored;
        fs::remove(fOutput, ignored);
    }

    WriterJobState Poll() override {
        if (fState == WriterJobState::Running && fClock.Now() >= fEnd) {
            End();
        }
        return fState;
    }
    std::string OutputFile() const override {
        return fState == WriterJobState::Completed ? fOutput.string() : std::string();
    }
    std::string FailureText() const override { return fFailure; }
    Process* RequestProcess() override { return nullptr; }

private:
    void End() {
        switch (fScript.outcome) {
            case Outcome::Complete:
                fState = WriteFileAtomically(fOutput, SmallPdf()) ? WriterJobState::Completed
                                                                  : WriterJobState::Failed;
                break;
            case Outcome::Fail:
                fFailure = fScript.failureText;
                fState = WriterJobState::Failed;
                break;
            case Outcome::Cancel:
                fFailure = kCancelledText;
                fState = WriterJobState::Failed;
                break;
            case Outcome::NoOutput:
                break;
        }
    }

    Clock& fClock;
    Script fScript;
    std::chrono::milliseconds fEnd;
    fs::path fOutput;
    WriterJobState fState = WriterJobState::Running;
    std::string fFailure;
};

class SimDocumentWriters::SimWriter final : public DocumentWriter {
public:
    SimWriter(SimDocumentWriters& owner, std::string name)
        : fOwner(owner), fName(std::move(name)) {}

    std::unique_ptr<WriterJob> Start(const std::string& path, int& error) override {
        fOwner.fRequests.push_back({fName, path});
        error = 0;
        if (!fOwner.fRefusals.empty()) {
            error = fOwner.fRefusals.front();
            fOwner.fRefusals.pop_front();
            return nullptr;
        }
        Script script;
        if (!fOwner.fScripts.empty()) {
            script = std::move(fOwner.fScripts.front());
            fOwner.fScripts.pop_front();
        }
        // Numbered, so two jobs for documents of the same name keep their own files.
        const std::string name =
            std::to_string(fOwner.fRequests.size()) + "-" + fs::path(path).stem().string() + ".pdf";
        return std::make_unique<Job>(fOwner.fClock, std::move(script),
                                     fOwner.OutputFolder() / name);
    }

private:
    SimDocumentWriters& fOwner;
    std::string fName;
};

SimDocumentWriters::SimDocumentWriters(Clock& clock) : fClock(clock) {}

SimDocumentWriters::~SimDocumentWriters() = default;

bool SimDocumentWriters::IsPdfQueue(const std::string& printerName) {
    return fQueues.contains(printerName);
}

std::unique_ptr<DocumentWriter> SimDocumentWriters::Writer(const std::string& name) {
    const bool known = IsPdfQueue(name) ||
                       std::find(fExtraNames.begin(), fExtraNames.end(), name) != fExtraNames.end();
    return known ? std::make_unique<SimWriter>(*this, name) : nullptr;
}

std::string SimDocumentWriters::SmallPdf() {
    const std::string objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>",
    };
    std::string pdf = "%PDF-1.4\n";
    std::string xref = "xref\n0 4\n0000000000 65535 f \n";
    for (std::size_t i = 0; i < std::size(objects); ++i) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
        xref += entry;
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xrefAt = pdf.size();
    return pdf + xref + "trailer\n<< /Size 4 /Root 1 0 R >>\nstartxref\n" + std::to_string(xrefAt) +
           "\n%%EOF\n";
}

}  // namespace korvent::platform
