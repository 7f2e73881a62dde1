#include <gtest/gtest.h>

#include "db/Error.h"
#include "support/TestDatabase.h"

namespace synchub::test {
namespace {

using Lines = std::vector<std::string>;

class ServiceStart : public SyncFixture {
  protected:
    // Runs ServiceStart with `ini`; returns Started, or nullopt when a failure left it.
    std::optional<bool> start(std::string_view ini, std::string* escaped = nullptr) {
        writeIni(ini);
        bool started = true;
        try {
            module->ServiceStart(started);
        } catch (const std::exception& e) {
            if (escaped)
                *escaped = e.what();
            return std::nullopt;
        }
        return started;
    }
};

TEST_F(ServiceStart, ConnectsBothLogsAndClosesThemAgain) {
    ASSERT_EQ(start(iniFor("EMPRESA=7\nTIPOMOVIMENTO=3\nHISTORICO=-4\nTABELACUSTO=2\nTEMPOQUARVEX=60000\n")),
              true);
    EXPECT_EQ(logLines(), (Lines{"Conectado interno", "Conectado externo"}));
    EXPECT_EQ(
        erp.rows(
            "select monitor, data = current_date, abs(timestampdiff(second, timestamp(current_date, hora), "
            "now())) < 60 from log_monitor"),
        (std::vector<Lines>{{"QUARVEX", "1", "1"}, {"QUARVEX", "1", "1"}}));
    EXPECT_FALSE(module->con.connected());
    EXPECT_FALSE(module->con_externo.connected());
    EXPECT_TRUE(module->Timer.enabled());
    EXPECT_EQ(module->Timer.interval(), 60000);
    EXPECT_EQ(module->Timer.dueAt(), clock.nowMs() + 60000);  // no cycle at start
    EXPECT_EQ(module->_empresa, "7");
    EXPECT_EQ(module->_tipomovimento, 3);
    EXPECT_EQ(module->_historico, -4);
    EXPECT_EQ(module->_tabelacusto, 2);
}

TEST_F(ServiceStart, CycleIntervalFromTempo) {
    struct Case {
        const char* line;
        std::int64_t interval;
    };
    const Case cases[] = {{"", 1800000},                // key missing: default 30 minutes
                          {"TEMPOQUARVEX=\n", 300000},  // present but empty: 5 minutes
                          {"TEMPOQUARVEX=abc\n", 300000},
                          {"TEMPOQUARVEX=0\n", 0},  // never ticks
                          {"tempoquarvex=1000\n", 1000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_EQ(start(iniFor(c.line)), true);
        EXPECT_EQ(module->Timer.interval(), c.interval);
        EXPECT_EQ(module->Timer.dueAt(), c.interval > 0 ? clock.nowMs() + c.interval : -1);
    }
}

TEST_F(ServiceStart, NoIniFileUsesTheDefaults) {
    // Nothing answers as SYNCUSER on the local machine, so the log write of the failure fails too.
    bool started = true;
    EXPECT_THROW(module->ServiceStart(started), db::Error);
    EXPECT_FALSE(started);
    EXPECT_EQ(module->hostint, "");
    EXPECT_EQ(module->bancoint, "ERP");
    EXPECT_EQ(module->portaint, "3306");
    EXPECT_EQ(module->usuarioint, "SYNCUSER");
    EXPECT_EQ(module->senhaint, "531862");
    EXPECT_EQ(module->banco, "ERP");
    EXPECT_EQ(module->_empresa, "1");
    EXPECT_EQ(module->tempo, "1800000");
    EXPECT_EQ(module->con.database(), "ERP");
    EXPECT_EQ(module->con.user(), "SYNCUSER");
    EXPECT_FALSE(module->Timer.enabled());
}

TEST_F(ServiceStart, FailuresOfStartUp) {
    struct Case {
        const char* name;
        std::string extra;
        bool escapes;         // the failure leaves ServiceStart (event log)
        std::string escaped;  // its message, when it escapes
        Lines log;            // monitor log afterwards ("*" = any connection message)
    };
    const Case cases[] = {
        {"bad SETOR", "SETOR=x\n", true, "'x' is not a valid integer value", {}},
        {"bad TIPOMOVIMENTO", "TIPOMOVIMENTO=1.5\n", true, "'1.5' is not a valid integer value", {}},
        {"bad HISTORICO", "HISTORICO=\n", true, "'' is not a valid integer value", {}},
        {"bad TABELACUSTO",
         "TABELACUSTO=9999999999\n",
         true,
         "'9999999999' is not a valid integer value",
         {}},
        {"bad PORTA", "PORTA=abc\n", false, "", {"Conectado interno", "'abc' is not a valid integer value"}},
        {"external refused", "USUARIO=nobody\n", false, "", {"Conectado interno", "*"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        erp.exec("delete from log_monitor");
        // Later keys win nothing: the first occurrence counts, so the case's keys go first.
        std::string escaped;
        const auto result = start("[SYNCHUB]\n" + c.extra + iniFor().substr(10), &escaped);
        if (c.escapes) {
            EXPECT_FALSE(result.has_value());
            EXPECT_EQ(escaped, c.escaped);
            EXPECT_FALSE(module->con.connected());
        } else {
            EXPECT_EQ(result, false);
        }
        const auto lines = logLines();
        ASSERT_EQ(lines.size(), c.log.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (c.log[i] == "*") {
                EXPECT_NE(lines[i].find("Access denied for user 'nobody'"), std::string::npos) << lines[i];
            } else {
                EXPECT_EQ(lines[i], c.log[i]);
            }
        }
        EXPECT_FALSE(module->Timer.enabled());
    }
}

TEST_F(ServiceStart, InternalFailureIsLoggedThroughTheReopenedConnection) {
    // PORTA_I is not an integer: host and database are already assigned, so the log write reaches the ERP.
    ASSERT_EQ(start("[SYNCHUB]\nPORTA_I=x\n" + iniFor().substr(10)), false);
    EXPECT_EQ(logLines(), (Lines{"'x' is not a valid integer value"}));
}

TEST_F(ServiceStart, InternalUnreachableFailureEscapesWhenItsLogFailsToo) {
    std::string escaped;
    const auto result = start("[SYNCHUB]\nPORTA_I=1\n" + iniFor().substr(10), &escaped);
    EXPECT_FALSE(result.has_value());
    EXPECT_NE(escaped.find("Can't connect to"), std::string::npos) << escaped;
    EXPECT_TRUE(logLines().empty());
}

class Gravalog : public SyncFixture {};

TEST_F(Gravalog, StoresEveryTextUnchanged) {
    const Lines texts = {"Conectado interno", "it's",       "", "back\\slash \\' \"double\"",
                         "São João :param",   "multi\nline"};
    for (const auto& t : texts)
        module->Gravalog(t);
    EXPECT_EQ(logLines(), texts);
}

TEST_F(Gravalog, DatabaseDownRaisesTheMessageAndWritesNothing) {
    module->con.setPort(1);
    try {
        module->Gravalog("lost");
        FAIL() << "no error";
    } catch (const db::Error& e) {
        EXPECT_NE(std::string(e.what()).find("Can't connect to"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(logLines().empty());
}

}  // namespace
}  // namespace synchub::test
