#pragma once

#include <string>

#include "db/Query.h"
#include "outbound/TableSource.h"

namespace synchub::service {
class TcadQuarvex;
}

namespace synchub::outbound {

// The mechanics every outbound table shares: select the source, then for each row find its app
// counterpart, insert or update it (or withdraw it), copy the columns, write, and mark the source
// row; at the end close and disconnect. The steps are separate so that a caller may batch them.
// Failures leave as exceptions; rows before a failing one stay written and marked.
class TableExport {
  public:
    // `sourceQuery` holds the source rows: qinterno in table mode, qfotos in photo mode.
    TableExport(service::TcadQuarvex& module, std::string tabela, TableSource source, db::Query& sourceQuery);

    // Every step below, in order.
    void run();

    // Opens the source selection on the current first row, then empties the app table where the
    // table is mirrored whole.
    void openSource();
    // Carries the current source row over and marks it.
    void exportRow();
    // Closes both result sets and disconnects the app, then the ERP connection.
    void finish();

    // The where clause that finds the app counterpart of the current source row.
    std::string matchCondition() const;
    // Looks up the counterpart and starts editing its first row, or a new row.
    void findAppRow();
    // Copies the source row into the app row by column name, then sets derived columns.
    void fillAppRow();
    // Writes the app row.
    void postAppRow();
    // Deletes the counterpart from the app.
    void withdrawAppRow();
    // Marks the current source row in the ERP.
    void markSourceRow();

  private:
    RowContext context();

    service::TcadQuarvex& m_module;
    std::string m_tabela;
    TableSource m_source;
    db::Query& m_rows;
};

}  // namespace synchub::outbound
