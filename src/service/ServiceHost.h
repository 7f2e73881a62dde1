#pragma once

#include <filesystem>

namespace synchub::service {

// Full path of the running executable.
std::filesystem::path executablePath();

// Starts the service as ServiceStart does, runs the one-shot receivables export and one cycle, and
// returns 0 (all ran), 1 (start-up failed) or 2 (a failure escaped the export or the cycle).
int runOnce(const std::filesystem::path& ini);

// Runs the service in the foreground until SIGTERM or SIGINT: start-up, then both timers on this
// thread. SIGUSR1 and SIGUSR2 report paused and running (cycles go on). Under systemd, readiness
// and state are reported with sd_notify. Returns the exit code.
int runService(const std::filesystem::path& ini);

}  // namespace synchub::service
