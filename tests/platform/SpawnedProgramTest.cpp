#include "platform/posix/SpawnedProgram.h"

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

using OnDrop = SpawnedProgram::OnDrop;

TEST(SpawnedProgramTest, RunsUntilTheProgramEnds) {
    SpawnedProgram process({"sleep", "0.2"});
    EXPECT_EQ(process.SpawnError(), 0);
    const pid_t pid = process.Pid();
    EXPECT_TRUE(process.Running());
    std::this_thread::sleep_for(600ms);
    EXPECT_FALSE(process.Running());
    EXPECT_FALSE(process.Running());
    EXPECT_EQ(process.ExitCode(), 0);
    EXPECT_FALSE(Exists(pid));
}

// Either way of dropping a running program leaves no zombie behind.
TEST(SpawnedProgramTest, DroppedWhileRunningLeavesNoZombie) {
    for (const OnDrop onDrop : {OnDrop::Kill, OnDrop::LetRun}) {
        pid_t pid = 0;
        {
            SpawnedProgram process({"sleep", "0.2"}, onDrop);
            pid = process.Pid();
        }
        EXPECT_TRUE(GoneWithin(pid, 3000ms));
    }
}

TEST(SpawnedProgramTest, DroppedAfterItEndedLeavesNoZombie) {
    pid_t pid = 0;
    {
        SpawnedProgram process({"true"}, OnDrop::LetRun);
        pid = process.Pid();
        std::this_thread::sleep_for(200ms);
    }
    EXPECT_FALSE(Exists(pid));
}

TEST(SpawnedProgramTest, UnknownProgramGivesErrno) {
    EXPECT_EQ(SpawnedProgram({"korvent-no-such-program"}).SpawnError(), ENOENT);
    EXPECT_EQ(SpawnedProgram({}).SpawnError(), EINVAL);
    EXPECT_FALSE(SpawnedProgram({}).Running());
}

}  // namespace
}  // namespace korvent::platform
