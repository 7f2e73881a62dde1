#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "service/CommandLine.h"
#include "service/SystemdUnit.h"
#include "support/TestDatabase.h"

namespace synchub::test {
namespace {

struct Run {
    int code;
    std::string out;  // standard output and standard error
};

Run runBinary(const std::string& args) {
    const std::string cmd = std::string(SYNCHUB_BINARY) + " " + args + " 2>&1";
    FILE* p = ::popen(cmd.c_str(), "r");
    std::string out;
    std::array<char, 4096> buf{};
    while (const auto n = std::fread(buf.data(), 1, buf.size(), p))
        out.append(buf.data(), n);
    const int status = ::pclose(p);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ServiceCommandLine, SwitchesInAnyCaseWithDashOrSlash) {
    using A = service::CommandLine::Action;
    struct Case {
        std::vector<std::string> args;
        A action;
        bool silent;
        bool error;
    };
    const Case cases[] = {
        {{}, A::Run, false, false},
        {{"-INSTALL"}, A::Install, false, false},
        {{"/install", "/Silent"}, A::Install, true, false},
        {{"-UnInstall", "-SILENT"}, A::Uninstall, true, false},
        {{"--once", "--config", "x.ini"}, A::Once, false, false},
        {{"--help"}, A::Help, false, false},
        {{"--version"}, A::Version, false, false},
        {{"-bogus"}, A::Run, false, true},
        {{"--config"}, A::Run, false, true},
        {{"-install", "-uninstall"}, A::Run, false, true},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const auto& a : c.args)
            joined += a + " ";
        SCOPED_TRACE(joined);
        const auto cl = service::parseCommandLine(c.args);
        EXPECT_EQ(cl.error.empty(), !c.error) << cl.error;
        if (!c.error) {
            EXPECT_EQ(cl.action, c.action);
            EXPECT_EQ(cl.silent, c.silent);
        }
    }
}

TEST(ServiceCommandLine, InstallWritesTheUnitAndUninstallRemovesIt) {
    const auto dir = std::filesystem::temp_directory_path() / ("synchub-unit-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto unit = dir / "cadQuarvex.service";

    auto r = runBinary("-INSTALL --unit-dir " + dir.string());
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("Service installed successfully"), std::string::npos) << r.out;
    const std::string text = readFile(unit);
    EXPECT_NE(text.find("Description=NORTAVEL - Quarvex\n"), std::string::npos) << text;
    EXPECT_NE(text.find("ExecStart=\"" + std::filesystem::canonical(SYNCHUB_BINARY).string() + "\"\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Type=notify\n"), std::string::npos);
    EXPECT_NE(text.find("Restart=no\n"), std::string::npos);
    EXPECT_NE(text.find("WantedBy=multi-user.target\n"), std::string::npos);

    r = runBinary("/uninstall /silent --unit-dir " + dir.string());
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(std::filesystem::exists(unit));
    r = runBinary("-uninstall --unit-dir " + dir.string());
    EXPECT_EQ(r.code, 1);  // nothing to remove
    std::filesystem::remove_all(dir);
}

TEST(ServiceCommandLine, UnitQuotesAnUnusualPath) {
    const auto text = service::unitText("/opt/my apps/50%/sync\"hub");
    EXPECT_NE(text.find("ExecStart=\"/opt/my apps/50%%/sync\\\"hub\"\n"), std::string::npos) << text;
}

TEST(ServiceCommandLine, HelpVersionAndUnknownArguments) {
    auto r = runBinary("--help");
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("Usage: synchub"), std::string::npos);
    r = runBinary("--version");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, std::string("synchub ") + SYNCHUB_VERSION + "\n");
    r = runBinary("--frobnicate");
    EXPECT_EQ(r.code, 64);
    EXPECT_NE(r.out.find("unknown argument --frobnicate"), std::string::npos);
}

class ServiceOnce : public SyncFixture {};

TEST_F(ServiceOnce, ExitCodesTellHowTheRunEnded) {
    struct Case {
        const char* name;
        std::string extra;
        std::string trigger;  // makes one monitor log line fail, so a failure escapes
        int code;
        std::string stderrText;  // expected in what the run printed
    };
    const Case cases[] = {
        {"start-up fails", "SETOR=x\n", "", 1, "Service failed on start: 'x' is not a valid integer value"},
        {"failure escapes the export", "EMPRESA=abc\n",
         "create trigger no_export before insert on log_monitor for each row "
         "if new.descricao = 'ENVIANDO TABELA ct_receber' then signal sqlstate '45000' set message_text = "
         "'log refused'; end if",
         2, "log refused"},
        {"cycle runs", "EMPRESA=abc\n", "", 0, "Cycle ended after "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        erp.exec("drop trigger if exists no_export");
        erp.exec("delete from log_monitor");
        if (!c.trigger.empty())
            erp.exec(c.trigger);
        const auto ini = writeIni("[SYNCHUB]\n" + c.extra + iniFor().substr(10));
        const auto r = runBinary("--once --config " + ini.string());
        EXPECT_EQ(r.code, c.code) << r.out;
        EXPECT_NE(r.out.find(c.stderrText), std::string::npos) << r.out;
    }
    // The last run: start-up, the one-shot export, and one cycle stopped by the company check.
    const auto lines = logLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Conectado interno");
    EXPECT_EQ(lines[1], "Conectado externo");
    EXPECT_EQ(lines[2], "ENVIANDO TABELA ct_receber");
    EXPECT_EQ(lines.back(), "CONECTANDO TABELA PARAMETROS erro: 'abc' is not a valid integer value");
}

class ServiceRun : public SyncFixture {};

// The service in the foreground: start-up, cycles on the timer, pause and continue that only change
// the reported state, and a stop on SIGTERM.
TEST_F(ServiceRun, RunsCyclesUntilSigterm) {
    const auto ini = writeIni(iniFor("EMPRESA=abc\nTEMPOQUARVEX=50\n"));
    const auto errFile = ini.parent_path() / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string configPath = ini.string();
    std::vector<std::string> args = {SYNCHUB_BINARY, "--config", configPath};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, SYNCHUB_BINARY, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    // Wait for a few cycles (each writes one line: the company is not an integer).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    auto cycles = [&] {
        return erp.scalar("select count(*) from log_monitor where descricao like 'CONECTANDO%'");
    };
    while (std::stoi(cycles()) < 2 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGUSR1);  // paused: the cycles go on
    const int before = std::stoi(cycles());
    while (std::stoi(cycles()) < before + 2 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_GE(std::stoi(cycles()), before + 2);
    ::kill(pid, SIGUSR2);
    ::kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string err = readFile(errFile);
    EXPECT_NE(err.find("Service started\n"), std::string::npos) << err;
    EXPECT_NE(err.find("Service paused; the cycles go on\n"), std::string::npos) << err;
    EXPECT_NE(err.find("Service stopped\n"), std::string::npos) << err;
    const auto lines = logLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Conectado interno");
    EXPECT_EQ(lines[1], "Conectado externo");
}

}  // namespace
}  // namespace synchub::test
