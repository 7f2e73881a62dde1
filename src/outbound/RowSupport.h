#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "db/Query.h"
#include "db/Value.h"

// Small helpers shared by the outbound engine and its per-table hooks.
namespace synchub::outbound {

// Decimal digits of a value read as integer (NULL gives 0). The only form in which a value read
// from a database is pasted into SQL without the client's quoting.
inline std::string integerText(const db::Value& value) {
    return std::to_string(value.asInt());
}

// True when `query` has a column named exactly `name` (letter case included).
inline bool hasExactField(const db::Query& query, std::string_view name) {
    for (const auto& field : query.fields()) {
        if (field.name == name) {
            return true;
        }
    }
    return false;
}

// Runs `step`; any failure of it is replaced by an error that carries `message` alone, for the
// steps whose log line must not depend on what the database said.
template <typename Step>
void withMessage(const std::string& message, Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
        throw std::runtime_error(message);
    }
}

// Runs a statement that returns no rows through `query`, which it closes first.
inline void executeThrough(db::Query& query, std::string sql) {
    query.close();
    query.setSql(std::move(sql));
    query.execSql();
}

}  // namespace synchub::outbound
