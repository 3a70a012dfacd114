#include "platform/posix/PosixProcess.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace korvent::platform {
namespace {

using namespace std::chrono_literals;

bool Exists(pid_t pid) {
    return kill(pid, 0) == 0 || errno != ESRCH;
}

// A zombie still answers kill(pid, 0); only a reaped child is gone.
bool GoneWithin(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (Exists(pid) && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(10ms);
    }
    return !Exists(pid);
}

TEST(PosixProcessTest, RunsUntilTheProgramEnds) {
    int error = -1;
    auto process = PosixProcess::Spawn({"sleep", "0.2"}, error);
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(process->Running());
    std::this_thread::sleep_for(600ms);
    EXPECT_FALSE(process->Running());
    EXPECT_FALSE(process->Running());
    EXPECT_FALSE(Exists(process->Pid()));
}

TEST(PosixProcessTest, DestroyedWhileRunningLeavesNoZombie) {
    int error = 0;
    pid_t pid = 0;
    {
        auto process = PosixProcess::Spawn({"sleep", "0.2"}, error);
        ASSERT_NE(process, nullptr);
        pid = process->Pid();
    }
    EXPECT_TRUE(GoneWithin(pid, 3000ms));
}

TEST(PosixProcessTest, DestroyedAfterItEndedLeavesNoZombie) {
    int error = 0;
    pid_t pid = 0;
    {
        auto process = PosixProcess::Spawn({"true"}, error);
        ASSERT_NE(process, nullptr);
        pid = process->Pid();
        std::this_thread::sleep_for(200ms);
    }
    EXPECT_FALSE(Exists(pid));
}

TEST(PosixProcessTest, UnknownProgramGivesErrno) {
    int error = 0;
    EXPECT_EQ(PosixProcess::Spawn({"korvent-no-such-program"}, error), nullptr);
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(PosixProcess::Spawn({}, error), nullptr);
    EXPECT_EQ(error, EINVAL);
}

}  // namespace
}  // namespace korvent::platform
