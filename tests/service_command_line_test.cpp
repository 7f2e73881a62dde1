#include <gtest/gtest.h>

#include <sys/wait.h>

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

}  // namespace
}  // namespace synchub::test
