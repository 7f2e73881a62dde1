#include "db/Names.h"
#include "outbound/Hooks.h"
#include "outbound/RowSupport.h"
#include "service/TcadQuarvex.h"

namespace synchub::outbound {

void zeroItemCodigo(RowContext& ctx) {
    // The app numbers its price list items itself; the ERP's codigo means nothing there.
    if (hasExactField(ctx.source, names::kCodigo) && ctx.app.hasField(names::kCodigo)) {
        ctx.app.set(names::kCodigo, 0);
    }
}

bool priceListHidden(const db::Query& source) {
    return source.field("mostrarnoapp").asText() != "S";
}

void insertReceivable(RowContext& ctx) {
    const db::Query& source = ctx.source;
    db::Query& insert = ctx.app;
    insert.close();
    insert.setSql(
        "insert into financeiro (ct_receber, cliente, parcela, vencimento, valor)values(:ct_receber, "
        ":cliente, "
        ":parcela, :vencimento, :valor)");
    for (const char* column : {"ct_receber", "cliente", "parcela"}) {
        insert.setParam(column, source.field(column).asInt());
    }
    insert.setParam("vencimento", source.field("vencimento").asDateTime());
    insert.setParam("valor", source.field("valor").asFloat());
    insert.execSql();
}

}  // namespace synchub::outbound
