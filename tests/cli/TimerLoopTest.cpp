#include "cli/TimerLoop.h"

#include <chrono>
#include <vector>

#include <gtest/gtest.h>

#include "cli/HeadlessView.h"
#include "platform/sim/VirtualClock.h"

namespace korvent::cli {
namespace {

using std::chrono::milliseconds;

// One tick of a run: how long its work takes and whether the entry in progress is finished.
struct Step {
    int workMs;
    bool finished;
};

struct PaceCase {
    const char* name;
    std::vector<Step> steps;  // the timer goes off after the last step
    std::vector<int> tickTimesMs;
};

class TimerLoopPaceTest : public ::testing::TestWithParam<PaceCase> {};

TEST_P(TimerLoopPaceTest, TicksAtTheWindowsPace) {
    platform::VirtualClock clock;
    const std::vector<Step>& steps = GetParam().steps;
    std::vector<int> times;
    TimerLoop* self = nullptr;
    TimerLoop loop(clock, [&] {
        const Step step = steps[times.size()];
        times.push_back(static_cast<int>(clock.Now().count()));
        clock.Advance(milliseconds(step.workMs));
        self->SetEnabled(times.size() < steps.size());
        return step.finished;
    });
    self = &loop;
    loop.SetEnabled(true);
    loop.Run();
    EXPECT_EQ(times, GetParam().tickTimesMs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TimerLoopPaceTest,
    ::testing::Values(
        PaceCase{"finished_entries_follow_at_once", {{0, true}, {0, true}, {0, true}}, {0, 0, 0}},
        PaceCase{"work_inside_a_tick_adds_no_wait", {{120, true}, {80, true}}, {0, 120}},
        PaceCase{"a_waiting_entry_ticks_every_500_ms",
                 {{0, false}, {0, false}, {0, true}},
                 {0, 500, 1000}},
        PaceCase{"a_ticks_work_counts_toward_the_interval", {{200, false}, {0, true}}, {0, 500}},
        PaceCase{"a_tick_longer_than_the_interval_is_followed_at_once",
                 {{700, false}, {0, true}},
                 {0, 700}},
        PaceCase{"a_finished_entry_after_waiting_is_followed_at_once",
                 {{0, false}, {0, true}, {0, true}},
                 {0, 500, 500}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TimerLoopTest, ADueTickIsDeliveredInsideProcessMessages) {
    platform::VirtualClock clock;
    std::vector<int> nested;
    int depth = 0;
    TimerLoop* self = nullptr;
    HeadlessView* view = nullptr;
    TimerLoop loop(clock, [&] {
        if (depth++ == 0) {
            // The form waits for a printing program, pumping messages meanwhile.
            while (nested.empty()) {
                view->ProcessMessages();
            }
            self->SetEnabled(false);
        } else {
            nested.push_back(static_cast<int>(clock.Now().count()));
        }
        --depth;
        return false;
    });
    HeadlessView headless(loop);
    self = &loop;
    view = &headless;
    loop.SetEnabled(true);
    loop.Run();
    EXPECT_EQ(nested, std::vector<int>{500});
    // Idle pumping sleeps briefly between looks for a due tick, and never past it.
    EXPECT_EQ(clock.Sleeps(), std::vector<milliseconds>(50, milliseconds(10)));
}

}  // namespace
}  // namespace korvent::cli
