#include "platform/ScopeExit.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <type_traits>

namespace korvent::platform {
namespace {

enum class WayOut { End, Return, Exception };

void LeaveGuardedScope(WayOut way, int& cleanups) {
    const ScopeExit count([&cleanups] { ++cleanups; });
    if (way == WayOut::Return) {
        return;
    }
    if (way == WayOut::Exception) {
        throw std::runtime_error("left by an exception");
    }
}

class ScopeExitTest : public ::testing::TestWithParam<WayOut> {};

TEST_P(ScopeExitTest, RunsTheCleanupOnceAndLetsTheExceptionPass) {
    int cleanups = 0;
    bool thrown = false;
    try {
        LeaveGuardedScope(GetParam(), cleanups);
    } catch (const std::runtime_error&) {
        thrown = true;
    }
    EXPECT_EQ(cleanups, 1);
    EXPECT_EQ(thrown, GetParam() == WayOut::Exception);
}

INSTANTIATE_TEST_SUITE_P(WaysOut, ScopeExitTest,
                         ::testing::Values(WayOut::End, WayOut::Return, WayOut::Exception));

// A copy would run the cleanup twice.
using Guard = ScopeExit<void (*)()>;
static_assert(!std::is_copy_constructible_v<Guard> && !std::is_copy_assignable_v<Guard>);

}  // namespace
}  // namespace korvent::platform
