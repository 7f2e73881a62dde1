#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/Connection.h"
#include "service/TcadQuarvex.h"
#include "service/TimerLoop.h"

namespace synchub::test {

// The throwaway server the tests use: SYNCHUB_TEST_HOST, _PORT, _USER, _PASSWORD
// (defaults 127.0.0.1, 33306, synchub, synchub: what scripts/test-server.sh starts).
struct ServerAddress {
    std::string host;
    int port;
    std::string user;
    std::string password;
    static ServerAddress fromEnvironment();
    // Gives `c` this server's address and credentials and `database`.
    void point(db::Connection& c, const std::string& database) const;
};

// A database created for one test and dropped afterwards, with helpers that read its contents
// as text (NULL reads "NULL").
class TestDatabase {
  public:
    explicit TestDatabase(std::string_view role);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const std::string& name() const { return m_name; }
    db::Connection& connection() { return m_con; }
    void exec(std::string_view sql);
    // Statements separated by a ';' that ends a line.
    void script(std::string_view sql);
    // First column of the first row; "NULL" for NULL, "<no row>" when there is none.
    std::string scalar(std::string_view sql);
    std::vector<std::vector<std::string>> rows(std::string_view sql);
    // Server thread ids of the sessions (other than this helper's) connected to this database.
    std::vector<std::uint64_t> sessions();
    // Kills a server session, as a lost connection would.
    void kill(std::uint64_t threadId);

  private:
    std::string m_name;
    db::Connection m_con;
};

// The monitor log table as the ERP has it, with an id to read lines in order.
inline constexpr std::string_view kLogMonitorDdl =
    "create table log_monitor (id int auto_increment primary key, data date, hora time, "
    "monitor varchar(20), descricao text) engine=InnoDB;\n";

// A clock the test moves by hand.
class ManualClock : public service::Clock {
  public:
    std::int64_t nowMs() const override { return m_now; }
    void advance(std::int64_t ms) { m_now += ms; }

  private:
    std::int64_t m_now = 1'000'000;
};

// Two throwaway databases (ERP and app) on the test server, a manual clock with its timer loop,
// and a service module whose settings and connections point at both databases (as a successful
// ServiceStart would leave them, but without running it). The ERP database has log_monitor.
class SyncFixture : public ::testing::Test {
  protected:
    SyncFixture();
    ~SyncFixture() override;

    // Writes an INI file in a fresh folder and returns its path.
    std::filesystem::path writeIni(std::string_view contents);
    // INI contents that point both connections at erp and app, plus `extra` lines in the section.
    std::string iniFor(std::string_view extra = {}) const;
    // Monitor log lines (descricao) in the order written.
    std::vector<std::string> logLines();
    // Event log entries written by the module.
    const std::vector<std::string>& events() const { return *m_events; }

    ServerAddress server;
    TestDatabase erp{"erp"};
    TestDatabase app{"app"};
    ManualClock clock;
    service::TimerLoop loop{clock};
    std::unique_ptr<service::TcadQuarvex> module;

  private:
    std::shared_ptr<std::vector<std::string>> m_events;
    std::filesystem::path m_tempDir;
};

}  // namespace synchub::test
