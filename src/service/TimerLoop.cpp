#include "service/TimerLoop.h"

#include <algorithm>
#include <limits>

namespace synchub::service {

std::int64_t SteadyClock::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

ServiceTimer::ServiceTimer(TimerLoop& loop, std::int64_t intervalMs, bool enabled,
                           std::function<void()> onTick)
    : m_loop(loop), m_interval(intervalMs), m_enabled(enabled), m_onTick(std::move(onTick)) {
    const std::lock_guard lock(m_loop.m_mutex);
    m_loop.m_timers.push_back(this);
    restartLocked();
}

ServiceTimer::~ServiceTimer() {
    const std::lock_guard lock(m_loop.m_mutex);
    std::erase(m_loop.m_timers, this);
}

void ServiceTimer::restartLocked() {
    m_due = (m_enabled && m_interval > 0) ? m_loop.m_clock.nowMs() + m_interval : -1;
}

void ServiceTimer::setEnabled(bool enabled) {
    {
        const std::lock_guard lock(m_loop.m_mutex);
        if (enabled == m_enabled)
            return;
        m_enabled = enabled;
        restartLocked();
    }
    m_loop.wake();
}

bool ServiceTimer::enabled() const {
    const std::lock_guard lock(m_loop.m_mutex);
    return m_enabled;
}

void ServiceTimer::setInterval(std::int64_t ms) {
    {
        const std::lock_guard lock(m_loop.m_mutex);
        if (ms == m_interval)
            return;
        m_interval = ms;
        restartLocked();
    }
    m_loop.wake();
}

std::int64_t ServiceTimer::interval() const {
    const std::lock_guard lock(m_loop.m_mutex);
    return m_interval;
}

std::int64_t ServiceTimer::dueAt() const {
    const std::lock_guard lock(m_loop.m_mutex);
    return m_due;
}

TimerLoop::TimerLoop(const Clock& clock) : m_clock(clock) {}

void TimerLoop::runDue() {
    for (;;) {
        ServiceTimer* next = nullptr;
        {
            const std::lock_guard lock(m_mutex);
            const std::int64_t now = m_clock.nowMs();
            for (ServiceTimer* t : m_timers) {
                if (t->m_due >= 0 && t->m_due <= now && (!next || t->m_due < next->m_due))
                    next = t;
            }
            if (!next)
                return;
            // Like a message-loop timer: the next tick is counted from this one.
            next->m_due = now + next->m_interval;
        }
        try {
            next->m_onTick();
        } catch (const std::exception& e) {
            if (onError)
                onError(e);
        }
    }
}

void TimerLoop::run() {
    for (;;) {
        runDue();
        std::unique_lock lock(m_mutex);
        if (m_stop)
            return;
        std::int64_t due = std::numeric_limits<std::int64_t>::max();
        for (const ServiceTimer* t : m_timers) {
            if (t->m_due >= 0)
                due = std::min(due, t->m_due);
        }
        const std::int64_t now = m_clock.nowMs();
        if (due <= now)
            continue;
        const auto wait = std::chrono::milliseconds(std::min<std::int64_t>(due - now, 60'000));
        m_cv.wait_for(lock, wait);
        if (m_stop)
            return;
    }
}

void TimerLoop::stop() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_cv.notify_all();
}

void TimerLoop::wake() {
    m_cv.notify_all();
}

bool TimerLoop::stopRequested() const {
    const std::lock_guard lock(m_mutex);
    return m_stop;
}

}  // namespace synchub::service
