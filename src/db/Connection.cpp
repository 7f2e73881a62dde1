#include "db/Connection.h"

#include <errmsg.h>
#include <mysql.h>
#include <mysqld_error.h>

#include "db/Error.h"

namespace synchub::db {
namespace {

// Keeps the server's sql_mode but for ANSI_QUOTES: every statement of the system writes its
// strings in double quotes.
constexpr const char* kSessionSetup =
    "SET SESSION sql_mode = TRIM(BOTH ',' FROM REPLACE(CONCAT(',', @@SESSION.sql_mode, ','), "
    "',ANSI_QUOTES,', ','))";

Kind kindOf(const MYSQL_FIELD& f) {
    switch (f.type) {
        case MYSQL_TYPE_TINY:
        case MYSQL_TYPE_SHORT:
        case MYSQL_TYPE_LONG:
        case MYSQL_TYPE_INT24:
        case MYSQL_TYPE_LONGLONG:
        case MYSQL_TYPE_YEAR:
            return Kind::Integer;
        case MYSQL_TYPE_DECIMAL:
        case MYSQL_TYPE_NEWDECIMAL:
        case MYSQL_TYPE_FLOAT:
        case MYSQL_TYPE_DOUBLE:
            return Kind::Float;
        case MYSQL_TYPE_DATE:
        case MYSQL_TYPE_NEWDATE:
            return Kind::Date;
        case MYSQL_TYPE_TIME:
            return Kind::Time;
        case MYSQL_TYPE_DATETIME:
        case MYSQL_TYPE_TIMESTAMP:
            return Kind::DateTime;
        case MYSQL_TYPE_TINY_BLOB:
        case MYSQL_TYPE_MEDIUM_BLOB:
        case MYSQL_TYPE_LONG_BLOB:
        case MYSQL_TYPE_BLOB:
        case MYSQL_TYPE_STRING:
        case MYSQL_TYPE_VAR_STRING:
        case MYSQL_TYPE_VARCHAR:
        case MYSQL_TYPE_BIT:
        case MYSQL_TYPE_GEOMETRY:
            return f.charsetnr == 63 ? Kind::Blob : Kind::Text;
        default:
            return Kind::Text;
    }
}

Value toValue(Kind kind, const char* data, unsigned long length) {
    if (data == nullptr)
        return {};
    const std::string_view text(data, length);
    switch (kind) {
        case Kind::Integer:
            return Value(Value(std::string(text)).asInt());
        case Kind::Float:
            return Value(Value(std::string(text)).asFloat());
        case Kind::Date:
            return Value(parseDate(text));
        case Kind::Time:
            return Value(parseTime(text));
        case Kind::DateTime:
            return Value(parseDateTime(text));
        case Kind::Blob:
            return Value(Blob{std::string(text)});
        default:
            return Value(std::string(text));
    }
}

struct ResultCloser {
    void operator()(MYSQL_RES* r) const noexcept { mysql_free_result(r); }
};

}  // namespace

void Connection::MysqlCloser::operator()(st_mysql* m) const noexcept {
    mysql_close(m);
}

Connection::Connection(std::string name) : m_name(std::move(name)) {}

Connection::~Connection() = default;

bool Connection::connected() const noexcept {
    return m_mysql != nullptr;
}

unsigned long Connection::threadId() const noexcept {
    return m_mysql ? mysql_thread_id(m_mysql.get()) : 0;
}

void Connection::disconnect() noexcept {
    m_mysql.reset();
    m_inTransaction = false;
    m_broken.reset();
}

void Connection::requireUsableTransaction() const {
    if (m_broken)
        throw *m_broken;
}

void Connection::connect() {
    requireUsableTransaction();
    m_mysql.reset();
    std::unique_ptr<MYSQL, MysqlCloser> m(mysql_init(nullptr));
    if (!m)
        throw Error("Out of memory while creating the connection " + m_name);
    // An unattended service must not hang for ever on a dead link: a connect gives up after 30 s,
    // and a statement whose answer stops arriving for 10 minutes fails as a lost connection.
    const unsigned connectTimeout = 30;
    const unsigned ioTimeout = 600;
    mysql_options(m.get(), MYSQL_OPT_CONNECT_TIMEOUT, &connectTimeout);
    mysql_options(m.get(), MYSQL_OPT_READ_TIMEOUT, &ioTimeout);
    mysql_options(m.get(), MYSQL_OPT_WRITE_TIMEOUT, &ioTimeout);
    mysql_options(m.get(), MYSQL_SET_CHARSET_NAME, "utf8mb4");
    mysql_options(m.get(), MYSQL_INIT_COMMAND, kSessionSetup);
    const my_bool noReconnect = 0;
    mysql_options(m.get(), MYSQL_OPT_RECONNECT, &noReconnect);
    const char* host = m_host.empty() ? nullptr : m_host.c_str();
    // CLIENT_FOUND_ROWS: an update reports the rows it matched, so a vanished row is noticed.
    if (!mysql_real_connect(m.get(), host, m_user.c_str(), m_password.c_str(), m_database.c_str(),
                            static_cast<unsigned>(m_port), nullptr, CLIENT_FOUND_ROWS)) {
        throw Error(mysql_error(m.get()), mysql_errno(m.get()), mysql_sqlstate(m.get()));
    }
    m_mysql = std::move(m);
}

st_mysql* Connection::handle() {
    requireUsableTransaction();
    if (!m_mysql)
        connect();
    return m_mysql.get();
}

void Connection::fail(std::string_view sql) {
    MYSQL* m = m_mysql.get();
    Error error(mysql_error(m), mysql_errno(m), mysql_sqlstate(m), std::string(sql));
    if (error.connectionLost()) {
        m_mysql.reset();
        if (m_inTransaction) {
            m_broken = Error(
                "The connection " + m_name + " was lost inside a transaction; it must be rolled back first",
                CR_SERVER_LOST);
        }
    } else if (m_inTransaction && error.number() == ER_LOCK_DEADLOCK) {
        // The server has already rolled the whole transaction back; what follows would commit
        // statement by statement, so nothing more runs until the caller ends it.
        m_broken = Error("The server rolled back the transaction on " + m_name +
                             " (deadlock); it must be rolled back first",
                         ER_LOCK_DEADLOCK);
    }
    throw error;
}

void Connection::send(std::string_view sql) {
    MYSQL* m = handle();
    ++m_statements;
    if (mysql_real_query(m, sql.data(), sql.size()) != 0)
        fail(sql);
}

std::uint64_t Connection::execute(std::string_view sql) {
    send(sql);
    MYSQL* m = m_mysql.get();
    // A statement that unexpectedly returns rows still has to be drained.
    std::unique_ptr<MYSQL_RES, ResultCloser> res(mysql_store_result(m));
    if (!res && mysql_field_count(m) != 0)
        fail(sql);
    m_lastInsertId = mysql_insert_id(m);
    const auto affected = mysql_affected_rows(m);
    return affected == static_cast<my_ulonglong>(-1) ? 0 : affected;
}

ResultSet Connection::select(std::string_view sql) {
    send(sql);
    MYSQL* m = m_mysql.get();
    std::unique_ptr<MYSQL_RES, ResultCloser> res(mysql_store_result(m));
    if (!res) {
        if (mysql_field_count(m) != 0 || mysql_errno(m) != 0)
            fail(sql);
        throw Error("The statement returned no result set", 0, {}, std::string(sql));
    }
    ResultSet out;
    const unsigned n = mysql_num_fields(res.get());
    const MYSQL_FIELD* fields = mysql_fetch_fields(res.get());
    out.fields.reserve(n);
    for (unsigned i = 0; i < n; ++i) {
        const MYSQL_FIELD& f = fields[i];
        out.fields.push_back(
            Field{std::string(f.name, f.name_length), std::string(f.org_name, f.org_name_length),
                  std::string(f.table, f.table_length), std::string(f.org_table, f.org_table_length),
                  std::string(f.db, f.db_length), kindOf(f)});
    }
    out.rows.reserve(mysql_num_rows(res.get()));
    while (MYSQL_ROW row = mysql_fetch_row(res.get())) {
        const unsigned long* lengths = mysql_fetch_lengths(res.get());
        std::vector<Value> values;
        values.reserve(n);
        for (unsigned i = 0; i < n; ++i)
            values.push_back(toValue(out.fields[i].kind, row[i], lengths[i]));
        out.rows.push_back(std::move(values));
    }
    return out;
}

std::string Connection::quote(std::string_view text) {
    MYSQL* m = handle();
    std::string out(text.size() * 2 + 3, '\0');
    out[0] = '\'';
    const auto len = mysql_real_escape_string(m, out.data() + 1, text.data(), text.size());
    out.resize(len + 1);
    out += '\'';
    return out;
}

std::string Connection::quoteBinary(std::string_view bytes) {
    return "_binary" + quote(bytes);
}

std::string Connection::literal(const Value& v) {
    switch (v.kind()) {
        case Kind::Null:
            return "NULL";
        case Kind::Integer:
            return v.asText();
        case Kind::Float: {
            const double d = v.asFloat();
            if (d != d || d - d != 0)
                throw Error("Cannot store a non-finite number");
            return formatDouble(d);
        }
        case Kind::Blob:
            return quoteBinary(v.asText());
        default:
            return quote(v.asText());
    }
}

const TableInfo& Connection::tableInfo(const std::string& database, const std::string& table) {
    const std::string key = database + "." + table;
    if (const auto it = m_tables.find(key); it != m_tables.end())
        return it->second;
    const auto rs =
        select("select COLUMN_NAME, COLUMN_KEY, EXTRA from information_schema.COLUMNS where TABLE_SCHEMA = " +
               quote(database) + " and TABLE_NAME = " + quote(table) + " order by ORDINAL_POSITION");
    if (rs.rows.empty())
        throw Error("Table " + key + " not found");
    TableInfo info;
    for (const auto& row : rs.rows) {
        const std::string column = row[0].asText();
        info.columns.push_back(column);
        if (row[1].asText() == "PRI")
            info.primaryKey.push_back(column);
        if (row[2].asText().find("auto_increment") != std::string::npos)
            info.autoIncrement = column;
    }
    return m_tables.emplace(key, std::move(info)).first->second;
}

void Connection::begin() {
    execute("START TRANSACTION");
    m_inTransaction = true;
}

void Connection::commit() {
    requireUsableTransaction();
    execute("COMMIT");
    m_inTransaction = false;
}

void Connection::rollback() noexcept {
    m_broken.reset();
    if (m_inTransaction && m_mysql) {
        ++m_statements;
        if (mysql_real_query(m_mysql.get(), "ROLLBACK", 8) != 0)
            m_mysql.reset();
    }
    m_inTransaction = false;
}

}  // namespace synchub::db
