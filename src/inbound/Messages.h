#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "db/Query.h"

// The fixed texts of the inbound import: log lines and the SQL of the rows written beside an order.
// Each is built here and nowhere else.
namespace synchub::inbound {

// "RECEBENDO DADOS DE cliente"
std::string receivingLine(std::string_view tabela);
// "cliente RECEBIDO COM SUCESSO."
std::string receivedLine(std::string_view tabela);
// The line of a failure that ends a table's import.
std::string tableFailureLine(std::string_view label, std::int64_t codPedido, std::string_view message);
// The line of a failure in an order's chain, which cancels that order.
std::string orderFailureLine(std::string_view label, std::int64_t codPedido, std::int64_t codigoExterno,
                             std::string_view message);
// The line of a failed item or photo import, before the failure goes to the order.
std::string childFailureLine(std::string_view tabela, std::string_view message);
// What the operator is told when a statement of RetornaValor fails.
std::string queryFailureLine(std::string_view message);

// The order note, from the app order row `order` (its data, hora and datahora_recebido), stamped now.
std::string orderNote(const db::Query& order);
// The item log line, from the same row, stamped now.
std::string itemLine(const db::Query& order);

// The activity log row of a new ERP order; `note` is put in as an escaped literal.
std::string activityLogInsert(db::Connection& con, std::int64_t empresa, std::int64_t usuario,
                              std::int64_t setor, std::string_view note);
// The chat message that tells the office of ERP order `codPedido`.
std::string chatInsert(std::int64_t codPedido);
// The cancellation of the ERP order made from app order `codigoExterno`; `message` is escaped.
std::string cancelOrder(db::Connection& con, std::string_view message, std::int64_t codigoExterno);

}  // namespace synchub::inbound
