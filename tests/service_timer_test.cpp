#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/TestDatabase.h"

namespace synchub::test {
namespace {

TEST(ServiceTimerLoop, EnableRestartsTheCountdownAndDisableStopsIt) {
    ManualClock clock;
    service::TimerLoop loop(clock);
    int ticks = 0;
    service::ServiceTimer t(loop, 100, true, [&] { ++ticks; });
    clock.advance(60);
    t.setEnabled(false);
    t.setEnabled(true);  // a fresh countdown of the full interval
    clock.advance(60);
    loop.runDue();
    EXPECT_EQ(ticks, 0);
    clock.advance(40);
    loop.runDue();
    EXPECT_EQ(ticks, 1);
    t.setEnabled(false);
    clock.advance(1000);
    loop.runDue();
    EXPECT_EQ(ticks, 1);
}

TEST(ServiceTimerLoop, HandlerFailuresAreReportedAndTheLoopGoesOn) {
    ManualClock clock;
    service::TimerLoop loop(clock);
    std::vector<std::string> errors;
    loop.onError = [&](const std::exception& e) { errors.emplace_back(e.what()); };
    int ticks = 0;
    service::ServiceTimer failing(loop, 10, true, [] { throw std::runtime_error("boom"); });
    service::ServiceTimer counting(loop, 10, true, [&] { ++ticks; });
    clock.advance(10);
    loop.runDue();
    EXPECT_EQ(errors, std::vector<std::string>{"boom"});
    EXPECT_EQ(ticks, 1);
}

TEST(ServiceTimerLoop, RunTicksOnItsThreadAndStopsPromptly) {
    service::SteadyClock clock;
    service::TimerLoop loop(clock);
    std::atomic<int> ticks{0};
    const auto runner = std::this_thread::get_id();
    std::atomic<bool> sameThread{true};
    service::ServiceTimer t(loop, 5, false, [&] {
        ++ticks;
        if (std::this_thread::get_id() != runner)
            sameThread = false;
    });
    std::thread stopper([&] {
        t.setEnabled(true);  // switched from another thread, as start-up does
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        loop.stop();
    });
    const auto begin = std::chrono::steady_clock::now();
    loop.run();
    stopper.join();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(2));
    EXPECT_GT(ticks.load(), 2);
    EXPECT_TRUE(sameThread.load());
}

}  // namespace
}  // namespace synchub::test
