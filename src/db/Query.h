#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "db/Connection.h"
#include "db/Value.h"

namespace synchub::db {

// A query object bound to one connection for life: a statement text with named parameters
// (":name"), at most one open result with a current row, and the editing of that row or of a
// new row, written back with post(). Column names are looked up without regard to case; the
// first column of a name wins.
class Query {
  public:
    enum class State { Browse, Edit, Insert };

    explicit Query(Connection& connection);
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Connection& connection() const { return m_con; }

    // Replaces the statement (closing the query). Named parameters are parsed here.
    void setSql(std::string sql);
    const std::string& sql() const { return m_sql; }
    // Binds a named parameter; the name must occur in the statement.
    void setParam(std::string_view name, Value value);

    // Runs the statement and keeps its result; the current row is the first.
    void open();
    // Runs the statement, which returns no rows; returns the rows it matched.
    std::uint64_t execSql();
    // Forgets the result and any unposted edit. Never throws.
    void close() noexcept;
    bool active() const noexcept { return m_active; }

    bool isEmpty() const;
    bool eof() const;
    void first();
    void next();
    std::size_t recordCount() const;

    const std::vector<Field>& fields() const;
    bool hasField(std::string_view name) const;
    // Value of a column of the current row; throws naming the column when there is none.
    const Value& field(std::string_view name) const;
    // The same by position in select order.
    const Value& fieldAt(std::size_t index) const;

    // Starts editing the current row, or a new row (all columns NULL until set).
    void edit();
    void append();
    // Sets a column of the row being edited, converted to the column's kind.
    void set(std::string_view name, const Value& value);
    // Writes the edited row (an update of exactly that row, by its table's primary key) or the new
    // row (an insert, after which its generated key can be read). Back to browsing afterwards.
    void post();
    State state() const noexcept { return m_state; }

  private:
    struct Segment {
        std::string text;   // literal SQL before the parameter
        std::string param;  // lower-cased name, empty for the tail
    };
    std::optional<std::size_t> indexOf(std::string_view name) const;
    std::size_t requireIndex(std::string_view name) const;
    std::string boundSql();
    void requireOpen(const char* what) const;
    void requireRow(const char* what) const;
    std::string targetTable(std::string& database) const;
    void postInsert();
    void postUpdate();

    Connection& m_con;
    std::string m_sql;
    std::vector<Segment> m_segments;
    std::map<std::string, Value> m_params;
    bool m_active = false;
    ResultSet m_result;
    std::size_t m_row = 0;
    State m_state = State::Browse;
    std::vector<Value> m_buffer;  // row being edited or inserted
    std::set<std::size_t> m_modified;
};

}  // namespace synchub::db
