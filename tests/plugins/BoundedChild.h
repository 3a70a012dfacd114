#pragma once

// Work that may hang or eat memory, run in a child process with a time and a memory bound.

#include <cstddef>
#include <functional>
#include <string>

namespace korvent::test {

struct TChildOutcome {
    bool finished = false;  // the work returned and its answer arrived
    std::string answer;     // what the work returned
    std::string failure;    // how the child ended otherwise: signal or exit status
    double seconds = 0;
    long peakKilobytes = 0;  // the child's peak resident size
};

// Runs `work` in a forked child that may use `seconds` of wall time and `megabytes` of data
// memory beyond what this process has mapped now (a budget that also holds under the address
// sanitizer, whose shadow memory is mapped already). The child ends without running exit
// handlers or destructors of the parent's objects.
TChildOutcome RunBounded(const std::function<std::string()>& work, unsigned seconds,
                         std::size_t megabytes);

}  // namespace korvent::test
