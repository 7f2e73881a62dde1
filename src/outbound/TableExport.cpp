#include "outbound/TableExport.h"

#include <algorithm>

#include "db/Names.h"
#include "db/RowCopy.h"
#include "outbound/Messages.h"
#include "outbound/RowSupport.h"
#include "service/TcadQuarvex.h"

namespace synchub::outbound {

TableExport::TableExport(service::TcadQuarvex& module, std::string tabela, TableSource source,
                         db::Query& sourceQuery)
    : m_module(module), m_tabela(std::move(tabela)), m_source(std::move(source)), m_rows(sourceQuery) {}

void TableExport::run() {
    openSource();
    while (!m_rows.eof()) {
        exportRow();
        m_rows.next();
    }
    finish();
}

void TableExport::openSource() {
    m_rows.close();
    m_rows.setSql(m_source.sourceSql);
    m_rows.open();
    m_rows.first();
    // Emptied even when the source has no rows: a table mirrored whole then has none in the app.
    if (!m_source.clearSql.empty()) {
        executeThrough(m_module.qexterno, m_source.clearSql);
    }
}

void TableExport::exportRow() {
    if (m_source.withdraw != nullptr && m_source.withdraw(m_rows)) {
        withdrawAppRow();
    } else if (m_source.write != nullptr) {
        RowContext ctx = context();
        m_source.write(ctx);
    } else {
        findAppRow();
        fillAppRow();
        postAppRow();
    }
    markSourceRow();
}

void TableExport::finish() {
    m_rows.close();
    m_module.qexterno.close();
    m_module.con_externo.disconnect();
    m_module.con.disconnect();
}

std::string TableExport::matchCondition() const {
    std::string where;
    for (const MatchKey& key : m_source.match) {
        const db::Value& value = m_rows.field(key.sourceColumn);
        where += (where.empty() ? "" : " and ") + key.appColumn + " = ";
        where += key.text ? m_module.con_externo.quote(value.asText()) : integerText(value);
    }
    return where;
}

void TableExport::findAppRow() {
    db::Query& app = m_module.qexterno;
    app.close();
    app.setSql("select * from " + m_source.appTable + " where " + matchCondition());
    app.open();
    // Several counterparts: only the first one returned is updated.
    if (app.isEmpty()) {
        app.append();
    } else {
        app.first();
        app.edit();
    }
}

void TableExport::fillAppRow() {
    const auto& skip = m_source.skip;
    if (skip.empty()) {
        db::copyColumns(m_rows, m_module.qexterno);
    } else {
        db::copyColumns(m_rows, m_module.qexterno, [&skip](std::string_view name) {
            return std::find(skip.begin(), skip.end(), name) != skip.end();
        });
    }
    if (m_source.fill != nullptr) {
        RowContext ctx = context();
        m_source.fill(ctx);
    }
}

void TableExport::postAppRow() {
    db::Query& app = m_module.qexterno;
    if (!m_source.fixedWriteMessage) {
        app.post();
        return;
    }
    withMessage(messages::writeFailed(m_tabela, m_rows.field(names::kCodigo).asText()), [&] { app.post(); });
}

void TableExport::withdrawAppRow() {
    executeThrough(m_module.qauxext, "delete from " + m_source.appTable + " where " + matchCondition());
}

void TableExport::markSourceRow() {
    if (m_source.mark != nullptr) {
        RowContext ctx = context();
        m_source.mark(ctx);
    }
}

RowContext TableExport::context() {
    return RowContext{m_module, m_tabela, m_rows, m_module.qexterno};
}

}  // namespace synchub::outbound
