#include <exception>
#include <string>

#include "db/Names.h"
#include "db/RowCopy.h"
#include "inbound/ImportState.h"
#include "inbound/Messages.h"
#include "service/TcadQuarvex.h"

namespace synchub::service {

void TcadQuarvex::Recebesincronizmofotos(const std::string& tabela, const std::string& campo_id,
                                         std::int32_t id_interno, std::int32_t id_externo) {
    const std::string erpRows = "select * from " + tabela + " where pedido = " + std::to_string(id_interno);
    try {
        qinternoitem.close();
        qinternoitem.setSql("delete from " + tabela + " where pedido = " + std::to_string(id_interno));
        qinternoitem.execSql();
        qexternoitem.close();
        qexternoitem.setSql("select * from " + tabela + " where pedido = " + std::to_string(id_externo));
        qexternoitem.open();
        for (; !qexternoitem.eof(); qexternoitem.next()) {
            qinternoitem.close();
            qinternoitem.setSql(erpRows);
            qinternoitem.open();
            qinternoitem.append();
            db::copyColumns(qexternoitem, qinternoitem, inbound::skipChildColumn);
            qinternoitem.set(campo_id, id_interno);
            qinternoitem.post();
            // Each app photo is marked as soon as its copy is in, so a failure leaves the rest pending.
            qexternoitem.edit();
            qexternoitem.set(names::kSincronizado, names::kDoneText);
            qexternoitem.post();
        }
        qinternoitem.close();
        qexternoitem.close();
    } catch (const std::exception& e) {
        Gravalog(inbound::childFailureLine(tabela, e.what()));
        throw;
    }
}

}  // namespace synchub::service
