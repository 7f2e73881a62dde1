#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "db/Error.h"
#include "support/TestDatabase.h"

namespace synchub::test {
namespace {

using Lines = std::vector<std::string>;

constexpr std::string_view kParametros =
    "create table parametros (codigo int primary key, empresa int, cidade int, uf char(2), tabelapadrao int, "
    "dinheiro char(1), boleto char(1), cartao_avista char(1), deposito char(1), duplicata char(1), condicao "
    "int, "
    "historico_venda int, fantasia varchar(60), bloqueiaoperadorcliente char(1), sincronizado char(1));\n";

class Cycle : public SyncFixture {
  protected:
    Cycle() {
        module->Timer.setInterval(60000);
        module->Timer.setEnabled(true);
    }
    // The ERP is unreachable from the module's connection.
    void takeErpDown() {
        module->con.disconnect();
        module->con.setPort(1);
    }
    // Waits until a session of the ERP database sleeps in a trigger.
    void waitForSleepingSession() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        const std::string sleeping =
            "select count(*) from information_schema.PROCESSLIST where STATE = 'User "
            "sleep' and DB = '" +
            erp.name() + "'";
        while (erp.scalar(sleeping) == "0" && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    void expectReenabledNow() {
        EXPECT_TRUE(module->Timer.enabled());
        EXPECT_EQ(module->Timer.dueAt(), clock.nowMs() + 60000);
    }
};

TEST_F(Cycle, ParametersCheckGatesTheSteps) {
    struct Case {
        const char* name;
        std::string schema;
        std::string empresa;
        std::string firstLine;  // the first monitor log line of the cycle
        bool stepsRun;
    };
    const Case cases[] = {
        {"row of the company",
         std::string(kParametros) + "insert into parametros (codigo, empresa, tabelapadrao) "
                                    "values (1, 1, 4), (2, 2, null);\n",
         "1", "ENVIANDO TABELA usuario", true},
        {"null value", std::string(kParametros) + "insert into parametros (codigo, empresa) values (2, 2);\n",
         "2", "ENVIANDO TABELA usuario", true},
        {"no row for the company", std::string(kParametros), "9", "ENVIANDO TABELA usuario", true},
        {"company not an integer", std::string(kParametros), "abc",
         "CONECTANDO TABELA PARAMETROS erro: 'abc' is not a valid integer value", false},
        {"statement refused", "", "1",
         "CONECTANDO TABELA PARAMETROS erro: Table '" + erp.name() + ".parametros' doesn't exist", false},
        {"value not an integer",
         "create table parametros (codigo int, empresa int, cidade int, uf int, tabelapadrao varchar(5), "
         "dinheiro "
         "int, boleto int, cartao_avista int, deposito int, duplicata int, condicao int, historico_venda "
         "int, "
         "fantasia int, bloqueiaoperadorcliente int);\ninsert into parametros (empresa, tabelapadrao) values "
         "(1, "
         "'x1');\n",
         "1", "CONECTANDO TABELA PARAMETROS erro: 'x1' is not a valid integer value", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        erp.exec("drop table if exists parametros");
        erp.exec("delete from log_monitor");
        if (!c.schema.empty())
            erp.script(c.schema);
        module->_empresa = c.empresa;
        module->TimerTimer();
        const auto lines = logLines();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), c.firstLine);
        if (c.stepsRun) {
            // Every step ran (each logs at least one line of its own on these bare databases).
            EXPECT_GE(lines.size(), 13u);
        } else {
            EXPECT_EQ(lines.size(), 1u);
        }
        expectReenabledNow();
    }
}

TEST_F(Cycle, TimerIsOffWhileTheCycleRuns) {
    // The cycle's first log line waits in a trigger while the test looks at the timer.
    erp.exec("create trigger slow_log before insert on log_monitor for each row set @x = sleep(0.3)");
    module->_empresa = "abc";
    std::thread cycle([this] { module->TimerTimer(); });
    waitForSleepingSession();
    EXPECT_FALSE(module->Timer.enabled());
    EXPECT_EQ(module->Timer.dueAt(), -1);
    cycle.join();
    expectReenabledNow();
}

TEST_F(Cycle, OneShotExportWaitsForStartUp) {
    erp.exec(
        "create trigger slow_start before insert on log_monitor for each row "
        "if new.descricao = 'Conectado interno' then set @x = sleep(0.3); end if");
    writeIni(iniFor());
    bool started = false;
    std::thread start([&] { module->ServiceStart(started); });
    waitForSleepingSession();
    module->Timer1Timer();  // start-up is under way: not now
    EXPECT_TRUE(module->Timer1.enabled());
    start.join();
    ASSERT_TRUE(started);
    module->Timer1Timer();
    EXPECT_FALSE(module->Timer1.enabled());
    const auto lines = logLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Conectado interno");
    EXPECT_EQ(lines[1], "Conectado externo");
    EXPECT_EQ(lines[2], "ENVIANDO TABELA ct_receber");
}

TEST_F(Cycle, FailureEscapingTheCycleStillReenablesTheTimer) {
    takeErpDown();
    EXPECT_THROW(module->TimerTimer(), db::Error);  // the check's own log line cannot be written
    expectReenabledNow();
    ASSERT_EQ(events().size(), 1u);
    EXPECT_EQ(events()[0].rfind("Cycle ended after ", 0), 0u) << events()[0];
    EXPECT_NE(events()[0].find("; statements sent: ERP 0, app 0"), std::string::npos) << events()[0];
}

TEST_F(Cycle, TimerTicksOnTheLoopOneIntervalAfterTheCycleEnded) {
    std::vector<std::string> errors;
    loop.onError = [&](const std::exception& e) { errors.emplace_back(e.what()); };
    module->Timer1.setEnabled(false);
    takeErpDown();
    clock.advance(59999);
    loop.runDue();
    EXPECT_TRUE(errors.empty());
    clock.advance(1);
    loop.runDue();  // the cycle timer's tick (its failure is reported, the loop goes on)
    ASSERT_EQ(errors.size(), 1u);
    expectReenabledNow();
    for (const std::int64_t interval : {0, -5}) {
        module->Timer.setInterval(interval);
        clock.advance(10'000'000);
        loop.runDue();
        EXPECT_EQ(module->Timer.dueAt(), -1);  // 0 or less never ticks
        EXPECT_EQ(errors.size(), 1u);
    }
}

TEST_F(Cycle, OneShotExportIsRetriedUntilItReturnsNormally) {
    module->Timer.setEnabled(false);
    std::vector<std::string> errors;
    loop.onError = [&](const std::exception& e) { errors.emplace_back(e.what()); };
    const auto port = module->con.port();
    takeErpDown();
    clock.advance(10000);
    loop.runDue();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(module->Timer1.enabled());
    EXPECT_EQ(module->Timer1.dueAt(), clock.nowMs() + 10000);

    module->con.setPort(port);  // the ERP answers again; the export handles its own failures
    clock.advance(10000);
    loop.runDue();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(module->Timer1.enabled());
    const auto lines = logLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "ENVIANDO TABELA ct_receber");
    clock.advance(100000);
    loop.runDue();
    EXPECT_EQ(logLines().size(), lines.size());  // once per start
}

}  // namespace
}  // namespace synchub::test
