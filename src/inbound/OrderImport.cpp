#include "inbound/OrderImport.h"

#include <exception>

#include "db/Names.h"
#include "db/RowCopy.h"
#include "inbound/Messages.h"

namespace synchub::inbound {
namespace {

namespace names = synchub::names;

// A column of the app order, NULL when the app table lacks it.
db::Value appColumn(const db::Query& order, std::string_view name) {
    return order.hasField(name) ? order.field(name) : db::Value();
}

std::int64_t erpClientOf(service::TcadQuarvex& m) {
    const db::Value& cliente = m.qexterno.field(names::kCliente);
    m.qauxext.close();
    m.qauxext.setSql("select id_interno from cliente where codigo = " + std::to_string(cliente.asInt()));
    m.qauxext.open();
    const std::int64_t erpClient = m.qauxext.isEmpty() ? 0 : m.qauxext.field(names::kIdInterno).asInt();
    m.qauxext.close();
    return erpClient;
}

// Fills the new ERP order in m.qinterno from the app order and the settings (the copy done).
void completeOrder(service::TcadQuarvex& m) {
    const db::Query& app = m.qexterno;
    db::Query& order = m.qinterno;
    const std::int64_t erpClient = erpClientOf(m);
    order.set("tipomovimento", m._tipomovimento);
    order.set("historico", m._historico);
    order.set(names::kCliente, erpClient);
    order.set(names::kIdIntegracao, app.field(names::kCodigo).asInt());
    order.set("nota", 2);
    for (const char* zero : {"vias", "entregador", "quadrante", "prazo_entrega"}) {
        order.set(zero, 0);
    }
    order.set("cobrar_frete", "N");
    order.set("impresso", "N");
    const db::Value totalProduto = appColumn(app, "total_produto");
    if (totalProduto.isNull() || totalProduto.asFloat() <= 0) {
        order.set("total_produto", appColumn(app, "total"));
    }
    for (const char* amount : {"frete", "desconto"}) {
        if (appColumn(app, amount).isNull()) {
            order.set(amount, 0);
        }
    }
}

// The activity log row of the order just stored in m.qinterno.
void reportOrder(service::TcadQuarvex& m) {
    m.Gravalog(orderNote(m.qexterno));
    const std::int64_t empresa = m.qinterno.field("empresa").asInt();
    const std::int64_t usuario = m.qinterno.field("usuario").asInt();
    const std::int64_t setor = m.qinterno.field("setor").asInt();
    m.RetornaValor(activityLogInsert(m.con, empresa, usuario, setor, orderNote(m.qexterno)), "E", m.con);
}

// Items, photos, installments and the chat message of the new order; a failure cancels the order.
// `stored` is the number the ERP gave the order, shown when even reading it back fails.
void runChain(service::TcadQuarvex& m, ImportState& state, const std::string& campo_id, std::int32_t stored) {
    const std::int32_t codigo = static_cast<std::int32_t>(m.qexterno.field(names::kCodigo).asInt());
    try {
        m.qinterno.close();
        m.qinterno.setSql("select codigo, condicao, soma, data from pedido where " + campo_id + " = " +
                          std::to_string(codigo));
        m.qinterno.open();
        state.codPedido = static_cast<std::int32_t>(m.qinterno.field(names::kCodigo).asInt());
        const auto condicao = static_cast<std::int32_t>(m.qinterno.field("condicao").asInt());
        const double soma = m.qinterno.field("soma").asFloat();
        const db::DateTime data = m.qinterno.field("data").asDateTime();
        m.qinterno.close();

        state.label = "tabela items_pedido";
        m.Recebesincronizmoitem(names::kItemsPedido, "pedido", state.codPedido, codigo);
        state.label = "tabela pedido_fotos";
        m.Recebesincronizmofotos(names::kPedidoFotos, "pedido", state.codPedido, codigo);
        state.label = "tabela parcelas_pedido";
        m.geraparcelapedido(state.codPedido, condicao, soma, data);
        m.RetornaValor(chatInsert(state.codPedido), "E", m.con);
    } catch (const std::exception& e) {
        // The order was stored in this very transaction, so its number is known even when reading
        // it back failed. When the ERP connection itself was lost, quoting the note fails too and that
        // failure leaves for the table's handler, which rolls the whole order back.
        state.codPedido = stored;
        m.RetornaValor(cancelOrder(m.con, e.what(), codigo), "E", m.con);
        m.Gravalog(orderFailureLine(state.label, state.codPedido, codigo, e.what()));
    }
}

void markOrder(service::TcadQuarvex& m, std::int64_t erpCodigo) {
    m.qauxext.close();
    m.qauxext.setSql("update pedido set sincronizado = \"S\", id_interno = " + std::to_string(erpCodigo) +
                     " where codigo = " + std::to_string(m.qexterno.field(names::kCodigo).asInt()));
    m.qauxext.execSql();
    m.qauxext.close();
}

}  // namespace

void importOrder(service::TcadQuarvex& m, ImportState& state, const std::string& campo_id) {
    if (!m.qinterno.isEmpty()) {
        markOrder(m, m.qinterno.field(names::kCodigo).asInt());
        return;
    }
    m.con.begin();
    m.qinterno.append();
    db::copyColumns(m.qexterno, m.qinterno, skipRowColumn);
    m.qinterno.set(campo_id, m.qexterno.field(names::kCodigo).asInt());
    state.label = "tabela pedido";
    completeOrder(m);
    m.qinterno.post();
    const auto stored = static_cast<std::int32_t>(m.qinterno.field(names::kCodigo).asInt());
    reportOrder(m);
    runChain(m, state, campo_id, stored);
    m.con.commit();
    markOrder(m, state.codPedido);
}

}  // namespace synchub::inbound
