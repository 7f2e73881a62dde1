#pragma once

#include <string>
#include <vector>

#include "db/Query.h"

namespace synchub::service {
class TcadQuarvex;
}

namespace synchub::outbound {

// One column of the key that finds the app counterpart of a source row.
struct MatchKey {
    std::string appColumn;
    std::string sourceColumn;
    bool text = false;  // compared as a quoted string; otherwise as the integer (NULL reads 0)
};

// What a row hook works on; valid for the current source row only.
struct RowContext {
    service::TcadQuarvex& module;
    const std::string& tabela;  // the name the caller passed
    db::Query& source;          // positioned on the current source row
    db::Query& app;             // the app row being written, or just written (qexterno)
};

using RowHook = void (*)(RowContext&);
using RowTest = bool (*)(const db::Query& source);

// Everything an export chooses per table, as data and small hooks; TableExport does the rest.
struct TableSource {
    std::string sourceSql;           // selection on the ERP
    std::string appTable;            // table written in the app
    std::vector<MatchKey> match;     // finds the app row to update (or to withdraw)
    std::string clearSql;            // run on the app before the first row; empty for none
    std::vector<std::string> skip;   // source columns the copy leaves out (exact names)
    RowHook fill = nullptr;          // sets derived app columns after the copy
    RowHook write = nullptr;         // writes the row itself instead of lookup, copy and post
    RowTest withdraw = nullptr;      // true: delete the app counterpart instead of writing it
    RowHook mark = nullptr;          // marks the source row in the ERP; null for none
    bool fixedWriteMessage = false;  // a refused app write reports the row, not the database's text
};

// The choices of a table-mode export of `tabela` (the name the cycle passes).
TableSource tableSource(const std::string& tabela);
// The choices of a photo-mode export of `tabela`.
TableSource photoSource(const std::string& tabela);

}  // namespace synchub::outbound
