#include "service/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "service/ServiceHost.h"
#include "service/SystemdUnit.h"

namespace synchub::service {
namespace {

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    bool install = false, uninstall = false, once = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const char* option) -> std::optional<std::string> {
            if (i + 1 < args.size())
                return args[++i];
            cl.error = std::string(option) + " needs a value";
            return std::nullopt;
        };
        if (a == "--config") {
            cl.config = value("--config");
        } else if (a == "--unit-dir") {
            cl.unitDir = value("--unit-dir");
        } else if (a == "--once") {
            once = true;
        } else if (a == "--help" || a == "-h") {
            cl.action = CommandLine::Action::Help;
            return cl;
        } else if (a == "--version") {
            cl.action = CommandLine::Action::Version;
            return cl;
        } else if (a.size() > 1 && (a[0] == '-' || a[0] == '/') && a[1] != '-') {
            const std::string sw = upper(a.substr(1));
            if (sw == "INSTALL") {
                install = true;
            } else if (sw == "UNINSTALL") {
                uninstall = true;
            } else if (sw == "SILENT") {
                cl.silent = true;
            } else {
                cl.error = "unknown switch " + a;
            }
        } else {
            cl.error = "unknown argument " + a;
        }
        if (!cl.error.empty())
            return cl;
    }
    if (install + uninstall + once > 1) {
        cl.error = "INSTALL, UNINSTALL and --once exclude each other";
    } else if (install) {
        cl.action = CommandLine::Action::Install;
    } else if (uninstall) {
        cl.action = CommandLine::Action::Uninstall;
    } else if (once) {
        cl.action = CommandLine::Action::Once;
    }
    return cl;
}

std::string usageText() {
    return "Usage: synchub [--config FILE] [--once]\n"
           "       synchub -INSTALL|-UNINSTALL [-SILENT] [--unit-dir DIR]\n"
           "\n"
           "Keeps the ERP database and the field-sales app database in step.\n"
           "\n"
           "  (no switch)      run as the service in the foreground until SIGTERM or SIGINT\n"
           "  --once           start up, run the receivables export and one cycle, then exit\n"
           "                   (0 = done, 1 = start-up failed, 2 = a failure escaped)\n"
           "  --config FILE    settings file (default: MONITOR.INI beside the executable)\n"
           "  -INSTALL         write and enable the systemd unit cadQuarvex.service\n"
           "  -UNINSTALL       disable and remove it\n"
           "  -SILENT          no confirmation message (with -INSTALL or -UNINSTALL)\n"
           "  --unit-dir DIR   folder of the unit (default /etc/systemd/system)\n"
           "  --help, --version\n"
           "Switches may start with - or / and are read in any letter case.\n";
}

int runProgram(const std::vector<std::string>& args) {
    const CommandLine cl = parseCommandLine(args);
    if (!cl.error.empty()) {
        std::fprintf(stderr, "synchub: %s\n%s", cl.error.c_str(), usageText().c_str());
        return 64;
    }
    const std::filesystem::path exe = executablePath();
    switch (cl.action) {
        case CommandLine::Action::Help:
            std::fputs(usageText().c_str(), stdout);
            return 0;
        case CommandLine::Action::Version:
            std::printf("synchub %s\n", SYNCHUB_VERSION);
            return 0;
        case CommandLine::Action::Install:
            return installUnit(exe, cl.unitDir, cl.silent);
        case CommandLine::Action::Uninstall:
            return uninstallUnit(cl.unitDir, cl.silent);
        case CommandLine::Action::Once:
        case CommandLine::Action::Run: {
            const std::filesystem::path ini =
                cl.config ? std::filesystem::path(*cl.config) : exe.parent_path() / "MONITOR.INI";
            return cl.action == CommandLine::Action::Once ? runOnce(ini) : runService(ini);
        }
    }
    return 0;
}

}  // namespace synchub::service
