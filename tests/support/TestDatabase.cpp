#include "support/TestDatabase.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>

#include "db/Error.h"

namespace synchub::test {
namespace {

std::string env(const char* name, const char* def) {
    const char* v = std::getenv(name);
    return v && *v ? v : def;
}

std::string uniqueName(std::string_view role) {
    static std::atomic<int> counter{0};
    return "shub_t" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + "_" + std::string(role);
}

std::string show(const db::Value& v) {
    return v.isNull() ? "NULL" : v.asText();
}

}  // namespace

ServerAddress ServerAddress::fromEnvironment() {
    return {env("SYNCHUB_TEST_HOST", "127.0.0.1"), std::stoi(env("SYNCHUB_TEST_PORT", "33306")),
            env("SYNCHUB_TEST_USER", "synchub"), env("SYNCHUB_TEST_PASSWORD", "synchub")};
}

void ServerAddress::point(db::Connection& c, const std::string& database) const {
    c.setHost(host);
    c.setPort(port);
    c.setUser(user);
    c.setPassword(password);
    c.setDatabase(database);
}

TestDatabase::TestDatabase(std::string_view role) : m_name(uniqueName(role)), m_con("test") {
    ServerAddress::fromEnvironment().point(m_con, "");
    m_con.execute("drop database if exists " + m_name);
    m_con.execute("create database " + m_name + " character set utf8mb4 collate utf8mb4_general_ci");
    m_con.disconnect();
    m_con.setDatabase(m_name);
}

TestDatabase::~TestDatabase() {
    try {
        m_con.execute("drop database if exists " + m_name);
    } catch (const std::exception&) {
        // A database left behind is harmless on a throwaway server.
    }
}

void TestDatabase::exec(std::string_view sql) {
    m_con.execute(sql);
}

void TestDatabase::script(std::string_view sql) {
    std::string statement;
    while (!sql.empty()) {
        const auto eol = sql.find('\n');
        std::string_view line = sql.substr(0, eol);
        sql = eol == std::string_view::npos ? std::string_view{} : sql.substr(eol + 1);
        statement += line;
        statement += '\n';
        auto end = line.find_last_not_of(" \t\r");
        if (end != std::string_view::npos && line[end] == ';') {
            exec(statement);
            statement.clear();
        }
    }
    if (statement.find_first_not_of(" \t\r\n") != std::string::npos)
        exec(statement);
}

std::string TestDatabase::scalar(std::string_view sql) {
    const auto rs = m_con.select(sql);
    if (rs.rows.empty())
        return "<no row>";
    return show(rs.rows[0][0]);
}

std::vector<std::vector<std::string>> TestDatabase::rows(std::string_view sql) {
    std::vector<std::vector<std::string>> out;
    for (const auto& row : m_con.select(sql).rows) {
        std::vector<std::string> r;
        for (const auto& v : row)
            r.push_back(show(v));
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<std::uint64_t> TestDatabase::sessions() {
    std::vector<std::uint64_t> ids;
    const auto rs =
        m_con.select("select ID from information_schema.PROCESSLIST where DB = " + m_con.quote(m_name) +
                     " and ID <> connection_id()");
    for (const auto& row : rs.rows)
        ids.push_back(static_cast<std::uint64_t>(row[0].asInt()));
    return ids;
}

void TestDatabase::kill(std::uint64_t threadId) {
    m_con.execute("kill " + std::to_string(threadId));
}

SyncFixture::SyncFixture()
    : server(ServerAddress::fromEnvironment()), m_events(std::make_shared<std::vector<std::string>>()) {
    erp.script(kLogMonitorDdl);
    m_tempDir = std::filesystem::temp_directory_path() / erp.name();
    std::filesystem::create_directories(m_tempDir);
    auto events = m_events;
    module = std::make_unique<service::TcadQuarvex>(
        loop, m_tempDir / "MONITOR.INI",
        service::EventLog([events](std::string_view line) { events->emplace_back(line); }));
    server.point(module->con, erp.name());
    server.point(module->con_externo, app.name());
    module->hostint = module->host = server.host;
    module->portaint = module->porta = std::to_string(server.port);
    module->usuarioint = module->usuario = server.user;
    module->senhaint = module->senha = server.password;
    module->bancoint = erp.name();
    module->banco = app.name();
}

SyncFixture::~SyncFixture() {
    module.reset();
    std::error_code ec;
    std::filesystem::remove_all(m_tempDir, ec);
}

std::filesystem::path SyncFixture::writeIni(std::string_view contents) {
    const auto path = m_tempDir / "MONITOR.INI";
    std::ofstream(path, std::ios::trunc) << contents;
    return path;
}

std::string SyncFixture::iniFor(std::string_view extra) const {
    std::string s = "[SYNCHUB]\n";
    s += "HOST=" + server.host + "\nPORTA=" + std::to_string(server.port) + "\nUSUARIO=" + server.user +
         "\nSENHA=" + server.password + "\nBANCO=" + app.name() + "\n";
    s += "HOST_I=" + server.host + "\nPORTA_I=" + std::to_string(server.port) + "\nUSUARIO_I=" + server.user +
         "\nSENHA_I=" + server.password + "\nBANCO_I=" + erp.name() + "\n";
    s += extra;
    return s;
}

std::vector<std::string> SyncFixture::logLines() {
    std::vector<std::string> out;
    for (auto& row : erp.rows("select descricao from log_monitor order by id"))
        out.push_back(row[0]);
    return out;
}

}  // namespace synchub::test
