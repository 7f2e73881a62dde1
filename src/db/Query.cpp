#include "db/Query.h"

#include <algorithm>
#include <cctype>

#include "db/Error.h"

namespace synchub::db {
namespace {

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (auto& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::string identifier(std::string_view name) {
    std::string out = "`";
    for (const char c : name) {
        if (c == '`')
            out += '`';
        out += c;
    }
    return out + "`";
}

}  // namespace

Query::Query(Connection& connection) : m_con(connection) {}

void Query::setSql(std::string sql) {
    close();
    m_sql = std::move(sql);
    m_params.clear();
    m_segments.clear();
    // Split the text at each :name, passing over quoted text, identifiers, comments and ':='.
    std::string text;
    const std::string& s = m_sql;
    std::size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '\'' || c == '"' || c == '`') {
            const std::size_t start = i++;
            while (i < s.size()) {
                if (s[i] == '\\' && c != '`' && i + 1 < s.size()) {
                    i += 2;
                } else if (s[i] == c) {
                    ++i;
                    if (i < s.size() && s[i] == c) {
                        ++i;  // doubled quote
                    } else {
                        break;
                    }
                } else {
                    ++i;
                }
            }
            text.append(s, start, i - start);
        } else if ((c == '-' && i + 1 < s.size() && s[i + 1] == '-') || c == '#') {
            const std::size_t end = std::min(s.find('\n', i), s.size());
            text.append(s, i, end - i);
            i = end;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            const std::size_t close = s.find("*/", i + 2);
            const std::size_t end = close == std::string::npos ? s.size() : close + 2;
            text.append(s, i, end - i);
            i = end;
        } else if (c == ':' && i + 1 < s.size() &&
                   (std::isalpha(static_cast<unsigned char>(s[i + 1])) || s[i + 1] == '_')) {
            std::size_t j = i + 1;
            while (j < s.size() && isNameChar(s[j]))
                ++j;
            m_segments.push_back({std::move(text), lower(std::string_view(s).substr(i + 1, j - i - 1))});
            text.clear();
            i = j;
        } else {
            text += c;
            ++i;
            if (c == ':' && i < s.size() && s[i] == '=')
                text += s[i++];
        }
    }
    m_segments.push_back({std::move(text), {}});
}

void Query::setParam(std::string_view name, Value value) {
    const std::string key = lower(name);
    const bool known = std::any_of(m_segments.begin(), m_segments.end(),
                                   [&](const Segment& seg) { return seg.param == key; });
    if (!known)
        throw Error("The statement has no parameter :" + std::string(name), 0, {}, m_sql);
    m_params[key] = std::move(value);
}

std::string Query::boundSql() {
    if (m_segments.size() == 1)
        return m_segments.front().text;
    std::string out;
    for (const auto& seg : m_segments) {
        out += seg.text;
        if (seg.param.empty())
            continue;
        const auto it = m_params.find(seg.param);
        if (it == m_params.end())
            throw Error("No value was given for the parameter :" + seg.param, 0, {}, m_sql);
        out += m_con.literal(it->second);
    }
    return out;
}

void Query::open() {
    close();
    m_result = m_con.select(boundSql());
    m_active = true;
    m_row = 0;
}

std::uint64_t Query::execSql() {
    close();
    return m_con.execute(boundSql());
}

void Query::close() noexcept {
    m_active = false;
    m_result = {};
    m_row = 0;
    m_state = State::Browse;
    m_buffer.clear();
    m_modified.clear();
}

void Query::requireOpen(const char* what) const {
    if (!m_active)
        throw Error(std::string("Cannot ") + what + ": the query is not open", 0, {}, m_sql);
}

void Query::requireRow(const char* what) const {
    requireOpen(what);
    if (m_state == State::Browse && m_row >= m_result.rows.size()) {
        throw Error(std::string("Cannot ") + what + ": there is no current row", 0, {}, m_sql);
    }
}

bool Query::isEmpty() const {
    requireOpen("test for rows");
    return m_result.rows.empty();
}

bool Query::eof() const {
    requireOpen("test for the end");
    return m_row >= m_result.rows.size();
}

void Query::first() {
    requireOpen("go to the first row");
    m_row = 0;
}

void Query::next() {
    requireOpen("go to the next row");
    if (m_row < m_result.rows.size())
        ++m_row;
}

std::size_t Query::recordCount() const {
    requireOpen("count the rows");
    return m_result.rows.size();
}

const std::vector<Field>& Query::fields() const {
    requireOpen("list the columns");
    return m_result.fields;
}

std::optional<std::size_t> Query::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < m_result.fields.size(); ++i) {
        if (sameName(m_result.fields[i].name, name))
            return i;
    }
    return std::nullopt;
}

std::size_t Query::requireIndex(std::string_view name) const {
    if (const auto i = indexOf(name))
        return *i;
    throw Error("Column " + std::string(name) + " not found", 0, {}, m_sql);
}

bool Query::hasField(std::string_view name) const {
    return m_active && indexOf(name).has_value();
}

const Value& Query::field(std::string_view name) const {
    requireRow("read a column");
    return fieldAt(requireIndex(name));
}

const Value& Query::fieldAt(std::size_t index) const {
    requireRow("read a column");
    if (index >= m_result.fields.size())
        throw Error("Column index out of range", 0, {}, m_sql);
    return m_state == State::Browse ? m_result.rows[m_row][index] : m_buffer[index];
}

void Query::edit() {
    requireRow("edit");
    if (m_state != State::Browse)
        return;
    m_buffer = m_result.rows[m_row];
    m_modified.clear();
    m_state = State::Edit;
}

void Query::append() {
    requireOpen("start a new row");
    m_buffer.assign(m_result.fields.size(), Value());
    m_modified.clear();
    m_state = State::Insert;
}

void Query::set(std::string_view name, const Value& value) {
    if (m_state == State::Browse)
        throw Error("Cannot set " + std::string(name) + ": no row is being edited", 0, {}, m_sql);
    const std::size_t i = requireIndex(name);
    const Field& f = m_result.fields[i];
    m_buffer[i] = value.convertedTo(f.kind, f.name);
    m_modified.insert(i);
}

std::string Query::targetTable(std::string& database) const {
    // The table of the columns being written; a joined row may only write one table at a time.
    std::string table;
    auto consider = [&](const Field& f) {
        if (f.orgTable.empty())
            return;
        if (table.empty()) {
            table = f.orgTable;
            database = f.database;
        } else if (f.orgTable != table || f.database != database) {
            throw Error("Cannot write columns of two tables (" + table + ", " + f.orgTable + ") in one row",
                        0, {}, m_sql);
        }
    };
    for (const std::size_t i : m_modified)
        consider(m_result.fields[i]);
    if (table.empty()) {
        for (const auto& f : m_result.fields) {
            if (!f.orgTable.empty()) {
                database = f.database;
                return f.orgTable;
            }
        }
        throw Error("The result has no base table to write to", 0, {}, m_sql);
    }
    return table;
}

void Query::post() {
    if (m_state == State::Browse)
        return;
    if (m_state == State::Insert) {
        postInsert();
    } else {
        postUpdate();
    }
}

void Query::postInsert() {
    std::string database;
    const std::string table = targetTable(database);
    std::string columns, values;
    for (const std::size_t i : m_modified) {
        const Field& f = m_result.fields[i];
        if (f.orgTable != table)
            continue;
        if (!columns.empty()) {
            columns += ", ";
            values += ", ";
        }
        columns += identifier(f.orgName);
        values += m_con.literal(m_buffer[i]);
    }
    const std::string sql = "insert into " + identifier(database) + "." + identifier(table) + " (" + columns +
                            ") values (" + values + ")";
    m_con.execute(sql);
    const auto key = m_con.lastInsertId();
    const TableInfo& info = m_con.tableInfo(database, table);
    if (key != 0 && !info.autoIncrement.empty()) {
        for (std::size_t i = 0; i < m_result.fields.size(); ++i) {
            const Field& f = m_result.fields[i];
            if (f.orgTable == table && sameName(f.orgName, info.autoIncrement)) {
                m_buffer[i] = Value(static_cast<std::int64_t>(key));
            }
        }
    }
    m_result.rows.insert(
        m_result.rows.begin() + static_cast<std::ptrdiff_t>(std::min(m_row, m_result.rows.size())),
        std::move(m_buffer));
    m_buffer.clear();
    m_modified.clear();
    m_state = State::Browse;
}

void Query::postUpdate() {
    if (m_modified.empty()) {
        m_state = State::Browse;
        return;
    }
    std::string database;
    const std::string table = targetTable(database);
    const TableInfo& info = m_con.tableInfo(database, table);
    const auto& old = m_result.rows[m_row];

    auto columnOf = [&](const std::string& column) -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < m_result.fields.size(); ++i) {
            const Field& f = m_result.fields[i];
            if (f.orgTable == table && f.database == database && sameName(f.orgName, column))
                return i;
        }
        return std::nullopt;
    };
    // Identify the row by its primary key; without one (or without its columns in the result),
    // by every column of the table that the result holds, limited to one row.
    std::vector<std::size_t> keyColumns;
    for (const auto& pk : info.primaryKey) {
        const auto i = columnOf(pk);
        if (!i) {
            keyColumns.clear();
            break;
        }
        keyColumns.push_back(*i);
    }
    if (keyColumns.empty()) {
        for (const auto& column : info.columns) {
            if (const auto i = columnOf(column))
                keyColumns.push_back(*i);
        }
    }
    std::string assignments, where;
    for (const std::size_t i : m_modified) {
        if (m_result.fields[i].orgTable != table)
            continue;
        if (!assignments.empty())
            assignments += ", ";
        assignments += identifier(m_result.fields[i].orgName) + " = " + m_con.literal(m_buffer[i]);
    }
    for (const std::size_t i : keyColumns) {
        if (!where.empty())
            where += " and ";
        where += identifier(m_result.fields[i].orgName) + " <=> " + m_con.literal(old[i]);
    }
    const std::string sql = "update " + identifier(database) + "." + identifier(table) + " set " +
                            assignments + " where " + where + " limit 1";
    if (m_con.execute(sql) == 0) {
        throw Error("The row to update in " + table + " was not found", 0, {}, sql);
    }
    m_result.rows[m_row] = std::move(m_buffer);
    m_buffer.clear();
    m_modified.clear();
    m_state = State::Browse;
}

}  // namespace synchub::db
