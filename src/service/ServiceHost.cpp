#include "service/ServiceHost.h"

#include <signal.h>
#include <systemd/sd-daemon.h>
#include <unistd.h>

#include <thread>

#include "service/TcadQuarvex.h"
#include "service/TimerLoop.h"

namespace synchub::service {
namespace {

void reportEscaped(const EventLog& log, const std::exception& e) {
    log.error(e.what());
}

// Runs ServiceStart as the service framework does: a failure that leaves it is reported as
// "Service failed on start: " + message. Returns whether the service runs.
bool start(TcadQuarvex& module) {
    bool started = true;
    try {
        module.ServiceStart(started);
    } catch (const std::exception& e) {
        module.eventLog().error(std::string("Service failed on start: ") + e.what());
        return false;
    }
    return started;
}

}  // namespace

std::filesystem::path executablePath() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path("synchub") : p;
}

int runOnce(const std::filesystem::path& ini) {
    SteadyClock clock;
    TimerLoop loop(clock);
    TcadQuarvex module(loop, ini);
    if (!start(module))
        return 1;
    int code = 0;
    try {
        module.Timer1Timer();
    } catch (const std::exception& e) {
        reportEscaped(module.eventLog(), e);
        code = 2;
    }
    try {
        module.TimerTimer();
    } catch (const std::exception& e) {
        reportEscaped(module.eventLog(), e);
        code = 2;
    }
    return code;
}

int runService(const std::filesystem::path& ini) {
    // Signals are taken by one thread that only requests things of the loop.
    sigset_t set;
    sigemptyset(&set);
    for (const int s : {SIGTERM, SIGINT, SIGUSR1, SIGUSR2})
        sigaddset(&set, s);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);

    SteadyClock clock;
    TimerLoop loop(clock);
    TcadQuarvex module(loop, ini);
    loop.onError = [&module](const std::exception& e) { reportEscaped(module.eventLog(), e); };

    std::jthread signals([&loop, &module, set](std::stop_token) {
        for (;;) {
            int sig = 0;
            if (sigwait(&set, &sig) != 0)
                continue;
            if (sig == SIGUSR1) {
                sd_notify(0, "STATUS=Paused (cycles go on)");
                module.eventLog().info("Service paused; the cycles go on");
            } else if (sig == SIGUSR2) {
                sd_notify(0, "STATUS=Running");
                module.eventLog().info("Service continued");
            } else {
                sd_notify(0, "STOPPING=1\nSTATUS=Stopping after the running cycle");
                loop.stop();
                return;
            }
        }
    });

    sd_notify(0, "STATUS=Starting");
    if (!start(module)) {
        sd_notify(0, "STATUS=Start-up failed");
        pthread_kill(signals.native_handle(), SIGTERM);
        return 1;
    }
    sd_notify(0, "READY=1\nSTATUS=Running");
    module.eventLog().info("Service started");
    loop.run();
    module.eventLog().info("Service stopped");
    return 0;
}

}  // namespace synchub::service
