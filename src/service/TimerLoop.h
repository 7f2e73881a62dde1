#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace synchub::service {

// Milliseconds of a monotonic clock; injectable so that the timer rules are tested without sleeping.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
};

class SteadyClock : public Clock {
  public:
    std::int64_t nowMs() const override;
};

class TimerLoop;

// A timer whose ticks arrive on the thread that runs its TimerLoop, like the message-loop timer it
// replaces: enabling starts a fresh countdown of the full interval, disabling stops it, and an
// interval of 0 or less never ticks. A tick is not delivered again while its handler runs.
class ServiceTimer {
  public:
    ServiceTimer(TimerLoop& loop, std::int64_t intervalMs, bool enabled, std::function<void()> onTick);
    ~ServiceTimer();
    ServiceTimer(const ServiceTimer&) = delete;
    ServiceTimer& operator=(const ServiceTimer&) = delete;

    void setEnabled(bool enabled);
    bool enabled() const;
    // Changing the interval of an enabled timer restarts its countdown.
    void setInterval(std::int64_t ms);
    std::int64_t interval() const;
    // Absolute due time in clock ms, or -1 when the timer will not tick.
    std::int64_t dueAt() const;

  private:
    friend class TimerLoop;
    void restartLocked();
    TimerLoop& m_loop;
    std::int64_t m_interval;
    bool m_enabled;
    std::int64_t m_due = -1;
    std::function<void()> m_onTick;
};

// Delivers the ticks of its timers on the thread that calls run() or runDue(). The timers may be
// switched from another thread (start-up); the loop wakes and recomputes its wait.
class TimerLoop {
  public:
    explicit TimerLoop(const Clock& clock);
    // Delivers every tick that is due now, earliest first. Exceptions from handlers go to onError.
    void runDue();
    // Runs until stop(): waits for the next due timer or a wake-up, delivers ticks.
    void run();
    // Asks run() to return after the tick under way, if any. Safe from any thread.
    void stop();
    void wake();
    bool stopRequested() const;
    const Clock& clock() const { return m_clock; }
    // Receives failures that leave a tick handler (they never stop the loop).
    std::function<void(const std::exception&)> onError;

  private:
    friend class ServiceTimer;
    const Clock& m_clock;
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    std::vector<ServiceTimer*> m_timers;
    bool m_stop = false;
};

}  // namespace synchub::service
