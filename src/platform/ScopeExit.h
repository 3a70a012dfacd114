#pragma once

#include <concepts>
#include <utility>

namespace korvent::platform {

// Runs a cleanup when the scope that holds it is left, by its end, a return or an exception:
// the one way to write "finally" here. The cleanup must not throw, since it may run while an
// exception is already on its way out.
template <std::invocable Cleanup>
class ScopeExit {
public:
    explicit ScopeExit(Cleanup cleanup) : fCleanup(std::move(cleanup)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() noexcept { fCleanup(); }

private:
    Cleanup fCleanup;
};

}  // namespace korvent::platform
