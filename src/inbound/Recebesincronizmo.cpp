#include <exception>
#include <string>

#include "db/Names.h"
#include "db/RowCopy.h"
#include "inbound/ImportState.h"
#include "inbound/Messages.h"
#include "inbound/Neighbourhood.h"
#include "inbound/OrderImport.h"
#include "service/TcadQuarvex.h"

namespace synchub::service {
namespace {

using inbound::ImportState;

std::string pendingRows(const std::string& tabela) {
    if (tabela == names::kCliente) {
        return "select * from " + tabela + " where sincronizado = 0";
    }
    return "select * from " + tabela + " where sincronizado = \"N\"";
}

// Creates the ERP customer or city from the current app row and returns its new codigo.
std::int64_t createRow(TcadQuarvex& m, ImportState& state, const std::string& tabela,
                       const std::string& campo_id) {
    const db::Query& app = m.qexterno;
    if (tabela == names::kCliente) {
        state.label = "tabela cliente";
    }
    m.qinterno.append();
    db::copyColumns(app, m.qinterno, inbound::skipRowColumn);
    if (tabela == names::kCidade) {
        m.qinterno.set(names::kIdCidade, app.field(names::kCod).asInt());
        m.qinterno.set(names::kSincronizado, names::kDoneText);
    } else {
        m.qinterno.set(campo_id, app.field(names::kCodigo).asInt());
        m.qinterno.set(names::kBairro,
                       inbound::neighbourhoodCode(m.Qaux, app.field(names::kBairro).asText()));
        m.qinterno.set(names::kSincronizado, names::kClienteDone);
    }
    m.qinterno.post();
    return m.qinterno.field(names::kCodigo).asInt();
}

// Marks the app customer or city carried over; a city takes the ERP's number as its own.
void markRow(TcadQuarvex& m, const std::string& tabela, std::int64_t codigo, std::int64_t erpCodigo) {
    const std::string erp = std::to_string(erpCodigo);
    const std::string where = " where codigo = " + std::to_string(codigo);
    m.qauxext.close();
    if (tabela == names::kCidade) {
        m.qauxext.setSql("update cidade set sincronizado = \"S\", codigo = " + erp + where);
    } else {
        m.qauxext.setSql("update " + tabela + " set sincronizado = \"1\", id_interno = " + erp + where);
    }
    m.qauxext.execSql();
    m.qauxext.close();
}

void importRow(TcadQuarvex& m, ImportState& state, const std::string& tabela, const std::string& campo_id) {
    const std::int64_t codigo = m.qexterno.field(names::kCodigo).asInt();
    m.qinterno.close();
    m.qinterno.setSql("select * from " + tabela + " where " + campo_id + " = " + std::to_string(codigo));
    m.qinterno.open();
    if (tabela == names::kPedido) {
        inbound::importOrder(m, state, campo_id);
        return;
    }
    const std::int64_t erpCodigo = m.qinterno.isEmpty() ? createRow(m, state, tabela, campo_id)
                                                        : m.qinterno.field(names::kCodigo).asInt();
    markRow(m, tabela, codigo, erpCodigo);
}

}  // namespace

void TcadQuarvex::Recebesincronizmo(const std::string& tabela, const std::string& campo_id) {
    ImportState state;
    try {
        qauxext.close();
        Gravalog(inbound::receivingLine(tabela));
        qexterno.close();
        qexterno.setSql(pendingRows(tabela));
        qexterno.open();
        for (; !qexterno.eof(); qexterno.next()) {
            importRow(*this, state, tabela, campo_id);
        }
        qinterno.close();
        qexterno.close();
        con_externo.disconnect();
        con.disconnect();
        Gravalog(inbound::receivedLine(tabela));
    } catch (const std::exception& e) {
        // An order caught half-way is undone whole: the next cycle imports it again from the start.
        if (con.inTransaction()) {
            con.rollback();
        }
        Gravalog(inbound::tableFailureLine(state.label, state.codPedido, e.what()));
    }
}

}  // namespace synchub::service
