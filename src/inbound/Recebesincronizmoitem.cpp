#include <exception>
#include <string>

#include "db/RowCopy.h"
#include "inbound/ImportState.h"
#include "inbound/Messages.h"
#include "service/TcadQuarvex.h"

namespace synchub::service {
namespace {

// The product code as it goes into the cost lookup: a number as its decimal, NULL as nothing (the
// server then refuses the statement), anything else escaped by the client.
std::string productInSql(db::Connection& con, const db::Value& produto) {
    if (produto.isNull()) {
        return {};
    }
    if (produto.kind() == db::Kind::Integer) {
        return std::to_string(produto.asInt());
    }
    return con.literal(produto);
}

std::string costLookup(const TcadQuarvex& m, const std::string& produto) {
    if (m._tabelacusto > 0) {
        return "select valor from items_tabela where tabela = " + std::to_string(m._tabelacusto) +
               " and produto = " + produto;
    }
    return "select est_items.valor  from est_items   left outer join est_mov on est_mov.codigo = "
           "est_items.est_mov  where produto = " +
           produto + " and est_items.empresa = " + m._empresa +
           " and est_items.tipo = \"E\"  "
           " and sigla IN(\"TRANSFORMACAO\", \"IMPORTACAO\",\"COMPRA\",\"ESTOQUEINICIAL\", "
           " \"CONSIGNA_ENTRADA\",\"DESMEMBRAMENTO\", \"GERADOR\", \"PRODUCAO\") "
           " order by est_items.codigo desc LIMIT 1";
}

// Unit cost of the app item on which m.qexternoitem stands; 0 when nothing gives one.
double itemCost(TcadQuarvex& m) {
    m.Qaux.close();
    m.Qaux.setSql(costLookup(m, productInSql(m.con, m.qexternoitem.field("produto"))));
    m.Qaux.open();
    const double cost = m.Qaux.isEmpty() ? 0.0 : m.Qaux.field("valor").asFloat();
    m.Qaux.close();
    return cost;
}

}  // namespace

void TcadQuarvex::Recebesincronizmoitem(const std::string& tabela, const std::string& campo_id,
                                        std::int32_t id_interno, std::int32_t id_externo) {
    const std::string erpOrder = std::to_string(id_interno);
    const std::string appOrder = std::to_string(id_externo);
    try {
        Qaux.close();
        qauxext.close();
        qinternoitem.close();
        qinternoitem.setSql("delete from items_pedido where pedido = " + erpOrder);
        qinternoitem.execSql();
        qexternoitem.close();
        qexternoitem.setSql(
            "select items_pedido.*, produto.nome as descricao from items_pedido left outer join produto on "
            "produto.codigo = items_pedido.produto  where items_pedido.pedido = " +
            appOrder);
        qexternoitem.open();
        for (; !qexternoitem.eof(); qexternoitem.next()) {
            qinternoitem.close();
            qinternoitem.setSql("select * from items_pedido where pedido = " + erpOrder);
            qinternoitem.open();
            qinternoitem.append();
            db::copyColumns(qexternoitem, qinternoitem, inbound::skipChildColumn);
            qinternoitem.set(campo_id, id_interno);
            qinternoitem.set("custo", itemCost(*this));
            qinternoitem.post();
        }
        qauxext.setSql("update items_pedido set sincronizado = \"S\" where pedido = " + appOrder);
        qauxext.execSql();
        qauxext.close();
        qinternoitem.close();
        qexternoitem.close();
        Gravalog(inbound::itemLine(qexterno));
    } catch (const std::exception& e) {
        Gravalog(inbound::childFailureLine(tabela, e.what()));
        throw;
    }
}

}  // namespace synchub::service
