#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace synchub::service {

inline constexpr const char* kServiceName = "cadQuarvex";
inline constexpr const char* kDisplayName = "NORTAVEL - Quarvex";
inline constexpr const char* kDefaultUnitDir = "/etc/systemd/system";

// Text of the unit file that runs `exe` as the service.
std::string unitText(const std::filesystem::path& exe);

// Writes the unit (in `unitDir`, or the system's folder), then reloads systemd and enables the
// unit where systemctl is available and the default folder is used. Returns the exit code.
int installUnit(const std::filesystem::path& exe, const std::optional<std::string>& unitDir, bool silent);
// Disables and removes the unit. Returns the exit code.
int uninstallUnit(const std::optional<std::string>& unitDir, bool silent);

}  // namespace synchub::service
