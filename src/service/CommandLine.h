#pragma once

#include <optional>
#include <string>
#include <vector>

namespace synchub::service {

// What the command line asks for.
struct CommandLine {
    enum class Action { Run, Once, Install, Uninstall, Help, Version };
    Action action = Action::Run;
    bool silent = false;
    std::optional<std::string> config;   // --config FILE
    std::optional<std::string> unitDir;  // --unit-dir DIR (where INSTALL writes the unit)
    std::string error;                   // non-empty when the arguments are not understood
};

// Parses the arguments after the program name. INSTALL, UNINSTALL and SILENT are switches
// introduced by "-" or "/", in any letter case.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// Usage text for --help.
std::string usageText();

// Runs the program as the command line asks; returns the process exit code.
int runProgram(const std::vector<std::string>& args);

}  // namespace synchub::service
