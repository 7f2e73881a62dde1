// The return of order status from the ERP to the app.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "support/TestDatabase.h"

namespace synchub::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Orders in the ERP: 1 and 6 pending with an app counterpart, 2 pending without one, 3 and 4 not
// from the app, 5 already returned.
constexpr const char* kErpPedidos = R"(
    create table pedido (codigo int primary key, id_integracao int, status varchar(2), sincronizado int);
    insert into pedido values (1, 501, 'F', 0), (2, 502, 'C', 0), (3, 0, 'F', 0), (4, null, 'F', 0),
                              (5, 503, 'F', 1), (6, 504, 'E', 0);)";

constexpr const char* kAppPedidos = R"(
    create table pedido (codigo int primary key, cliente int, status varchar(10), hora_status time(3),
                         id_interno int, sincronizado char(1));
    insert into pedido values (501, 7, 'A', null, 1, 'S'), (503, 7, 'A', null, 5, 'S'), (504, 8, 'A', null, 6, 'S');)";

// The local time of day as the app column shows it, to the millisecond.
std::string localClock() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(ms));
    return text;
}

// Runs the test with the process in a time zone far from the server's (UTC), restoring it after.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* tz) {
        if (const char* old = std::getenv("TZ")) {
            m_old = old;
        }
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (m_old) {
            setenv("TZ", m_old->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<std::string> m_old;
};

class StatusReturn : public SyncFixture {
  protected:
    void returnStatus() { module->EnviaSincronismostatus("pedido", "status", "id_integracao"); }
};

TEST_F(StatusReturn, WritesStatusAndLocalTimeAndMarksTheOrder) {
    erp.script(kErpPedidos);
    app.script(kAppPedidos);
    const ScopedTimeZone india("IST-05:30");

    const std::string before = localClock();
    returnStatus();
    const std::string after = localClock();
    if (after < before) {
        GTEST_SKIP() << "the local clock passed midnight during the test";
    }

    EXPECT_EQ(logLines(), std::vector<std::string>{"ENVIANDO STATUS DE pedido"});
    EXPECT_EQ(app.rows("select codigo, status, hora_status is null from pedido order by codigo"),
              (Rows{{"501", "F", "0"}, {"503", "A", "1"}, {"504", "E", "0"}}));
    for (const auto& row : app.rows("select time_format(hora_status, '%H:%i:%s.%f') from pedido "
                                    "where hora_status is not null")) {
        const std::string written = row[0].substr(0, 12);
        EXPECT_LE(before, written);
        EXPECT_GE(after, written);
        EXPECT_EQ(row[0].substr(12), "000") << "milliseconds only";
    }
    // The order without an app counterpart stays pending, silently.
    EXPECT_EQ(erp.rows("select codigo, sincronizado from pedido order by codigo"),
              (Rows{{"1", "1"}, {"2", "0"}, {"3", "0"}, {"4", "0"}, {"5", "1"}, {"6", "1"}}));
    EXPECT_FALSE(module->con.connected());
    EXPECT_FALSE(module->con_externo.connected());
}

TEST_F(StatusReturn, NothingPendingWritesNothingAndLogsNothing) {
    erp.script(kErpPedidos);
    erp.exec("update pedido set sincronizado = 1 where codigo in (1, 6)");
    erp.exec("delete from pedido where codigo = 2");
    app.script(kAppPedidos);

    returnStatus();

    EXPECT_EQ(logLines(), std::vector<std::string>{});
    EXPECT_EQ(app.rows("select codigo, status, hora_status from pedido order by codigo"),
              (Rows{{"501", "A", "NULL"}, {"503", "A", "NULL"}, {"504", "A", "NULL"}}));
    EXPECT_FALSE(module->con.connected());
    EXPECT_FALSE(module->con_externo.connected());
}

TEST_F(StatusReturn, RefusedAppWriteEndsThePass) {
    erp.script(kErpPedidos);
    erp.exec("update pedido set status = 'XY' where codigo = 6");
    app.script(kAppPedidos);
    app.exec("alter table pedido modify status varchar(1)");

    returnStatus();

    EXPECT_EQ(logLines(), (std::vector<std::string>{
                              "ENVIANDO STATUS DE pedido",
                              "ENVIANDO STATUS DE pedido erro: Data too long for column 'status' at row 1"}));
    EXPECT_EQ(app.rows("select codigo, status from pedido order by codigo"),
              (Rows{{"501", "F"}, {"503", "A"}, {"504", "A"}}));
    EXPECT_EQ(erp.rows("select codigo, sincronizado from pedido order by codigo"),
              (Rows{{"1", "1"}, {"2", "0"}, {"3", "0"}, {"4", "0"}, {"5", "1"}, {"6", "0"}}));
    EXPECT_TRUE(module->con.connected());
    EXPECT_TRUE(module->con_externo.connected());
}

}  // namespace
}  // namespace synchub::test
