#include "service/SystemdUnit.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace synchub::service {
namespace {

// The path as one double-quoted word of an ExecStart line.
std::string quotedForExec(const std::string& path) {
    std::string out = "\"";
    for (const char c : path) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (c == '%')
            out += '%';
        if (c == '$')
            out += '$';
        out += c;
    }
    return out + "\"";
}

bool haveSystemctl() {
    for (const char* p : {"/usr/bin/systemctl", "/bin/systemctl"}) {
        if (std::filesystem::exists(p))
            return true;
    }
    return false;
}

void systemctl(const std::string& args) {
    const std::string cmd = "systemctl " + args + " >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) {
        std::fprintf(stderr, "synchub: warning: 'systemctl %s' failed (is systemd running?)\n", args.c_str());
    }
}

std::filesystem::path unitPath(const std::optional<std::string>& unitDir) {
    return std::filesystem::path(unitDir ? *unitDir : kDefaultUnitDir) /
           (std::string(kServiceName) + ".service");
}

}  // namespace

std::string unitText(const std::filesystem::path& exe) {
    return std::string("[Unit]\n") + "Description=" + kDisplayName +
           "\n"
           "Wants=network-online.target\n"
           "After=network-online.target mariadb.service mysql.service\n"
           "\n"
           "[Service]\n"
           "Type=notify\n"
           "ExecStart=" +
           quotedForExec(exe.string()) +
           "\n"
           "Restart=no\n"
           "# A running cycle finishes before the service stops.\n"
           "TimeoutStopSec=15min\n"
           "\n"
           "[Install]\n"
           "WantedBy=multi-user.target\n";
}

int installUnit(const std::filesystem::path& exe, const std::optional<std::string>& unitDir, bool silent) {
    const auto path = unitPath(unitDir);
    {
        std::ofstream out(path, std::ios::trunc);
        out << unitText(exe);
        if (!out.flush()) {
            std::fprintf(stderr, "synchub: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    if (!unitDir && haveSystemctl()) {
        systemctl("daemon-reload");
        systemctl(std::string("enable ") + kServiceName + ".service");
    }
    if (!silent)
        std::printf("Service installed successfully (%s)\n", path.c_str());
    return 0;
}

int uninstallUnit(const std::optional<std::string>& unitDir, bool silent) {
    const auto path = unitPath(unitDir);
    if (!unitDir && haveSystemctl())
        systemctl(std::string("disable ") + kServiceName + ".service");
    std::error_code ec;
    if (!std::filesystem::remove(path, ec) || ec) {
        std::fprintf(stderr, "synchub: cannot remove %s%s%s\n", path.c_str(), ec ? ": " : " (not installed)",
                     ec ? ec.message().c_str() : "");
        return 1;
    }
    if (!unitDir && haveSystemctl())
        systemctl("daemon-reload");
    if (!silent)
        std::printf("Service uninstalled successfully\n");
    return 0;
}

}  // namespace synchub::service
