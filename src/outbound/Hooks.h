#pragma once

#include <string>
#include <string_view>

#include "db/Query.h"
#include "outbound/TableSource.h"

// The per-table hooks that TableSources.cpp plugs into the export engine.
namespace synchub::outbound {

// Markers. Default of table mode: the source row's sincronizado set to "S", a failure reported
// without the database's text.
void markSourceRow(RowContext& ctx);
// Photo mode: the same marker, a failure reported with the database's text.
void markPhoto(RowContext& ctx);
// produto: an update by codigo through Qaux.
void markProduto(RowContext& ctx);
// items_tabela: an update by codigo through Qaux, written or withdrawn alike.
void markItemsTabela(RowContext& ctx);

// cliente: neighbourhood name, ERP key, fantasia and app key, set after the copy.
void fillCliente(RowContext& ctx);
// cliente: the app key written back to id_internet, and the row marked "1".
void markCliente(RowContext& ctx);
// `text` with the letters a to z upper-cased; every other byte (accented letters too) unchanged.
std::string upperAscii(std::string_view text);

// items_tabela: the app codigo is written as 0.
void zeroItemCodigo(RowContext& ctx);
// items_tabela: true when the item's price list is not shown in the app (missing list included).
bool priceListHidden(const db::Query& source);

// ct_receber: one financeiro row inserted from the current receivable.
void insertReceivable(RowContext& ctx);

}  // namespace synchub::outbound
