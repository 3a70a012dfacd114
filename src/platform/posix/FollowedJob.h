#pragma once

#include <filesystem>
#include <string>

#include "platform/DocumentWriter.h"

namespace korvent::platform {

// What every followed writer job keeps: its state, its PDF once complete, or why it failed.
class FollowedJob : public WriterJob {
public:
    std::string OutputFile() const override { return fOutput.string(); }
    std::string FailureText() const override { return fFailure; }

protected:
    bool Running() const { return fState == WriterJobState::Running; }
    WriterJobState State() const { return fState; }
    void Fail(std::string reason);
    // Completes the job with the PDF the writer left at `pdf`, or fails it when there is none
    // there or it is not complete (writers exit well also when they made nothing).
    void TakePdf(const std::filesystem::path& pdf);

private:
    WriterJobState fState = WriterJobState::Running;
    std::filesystem::path fOutput;
    std::string fFailure;
};

}  // namespace korvent::platform
