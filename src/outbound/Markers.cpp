#include "db/Names.h"
#include "outbound/Hooks.h"
#include "outbound/Messages.h"
#include "outbound/RowSupport.h"
#include "service/TcadQuarvex.h"

namespace synchub::outbound {

namespace {

// Edits the current source row in place, so that the update reaches the row's own table.
void markRow(db::Query& source) {
    source.edit();
    source.set(names::kSincronizado, names::kDoneText);
    source.post();
}

// "update <table> set sincronizado = "S" where codigo = <codigo>" on the ERP, through Qaux.
void markByCodigo(RowContext& ctx, const std::string& table) {
    executeThrough(ctx.module.Qaux, "update " + table + " set sincronizado = \"S\" where codigo = " +
                                        integerText(ctx.source.field(names::kCodigo)));
}

}  // namespace

void markSourceRow(RowContext& ctx) {
    withMessage(messages::markFailed(ctx.tabela), [&] { markRow(ctx.source); });
}

void markPhoto(RowContext& ctx) {
    markRow(ctx.source);
}

void markProduto(RowContext& ctx) {
    const std::string codigo = ctx.source.field(names::kCodigo).asText();
    withMessage(messages::markFailed(ctx.tabela, names::kProduto, codigo),
                [&] { markByCodigo(ctx, names::kProduto); });
}

void markItemsTabela(RowContext& ctx) {
    markByCodigo(ctx, names::kItemsTabela);
}

}  // namespace synchub::outbound
