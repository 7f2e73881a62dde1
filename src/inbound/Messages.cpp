#include "inbound/Messages.h"

#include "inbound/Stamps.h"

namespace synchub::inbound {
namespace {

std::string appMoments(const db::Query& order) {
    return "Criado: " + stampDate(order.field("data")) + " " + stampTime(order.field("hora")) +
           " - Enviado: " + stampDateTime(order.field("datahora_recebido")) +
           " - Recebido: " + stampDateTime(localNow());
}

}  // namespace

std::string receivingLine(std::string_view tabela) {
    return "RECEBENDO DADOS DE " + std::string(tabela);
}

std::string receivedLine(std::string_view tabela) {
    return std::string(tabela) + " RECEBIDO COM SUCESSO.";
}

std::string tableFailureLine(std::string_view label, std::int64_t codPedido, std::string_view message) {
    return "gravando " + std::string(label) + " . cod pedido a gravar: " + std::to_string(codPedido) + " " +
           std::string(message);
}

std::string orderFailureLine(std::string_view label, std::int64_t codPedido, std::int64_t codigoExterno,
                             std::string_view message) {
    return "gravando " + std::string(label) + " . cod pedido a gravar: " + std::to_string(codPedido) +
           " codigo externo: " + std::to_string(codigoExterno) + " " + std::string(message);
}

std::string childFailureLine(std::string_view tabela, std::string_view message) {
    return "RECEBENDO " + std::string(tabela) + " erro: " + std::string(message);
}

std::string queryFailureLine(std::string_view message) {
    return "Erro na consulta SQL. ERRO: " + std::string(message);
}

std::string orderNote(const db::Query& order) {
    return "Pedido sincronizado. " + appMoments(order);
}

std::string itemLine(const db::Query& order) {
    return "Item sincronizado. " + appMoments(order);
}

// The note stands in a single-quoted literal escaped by the client, which stores the same text as the
// double-quoted one would, quotes and backslashes included.
std::string activityLogInsert(db::Connection& con, std::int64_t empresa, std::int64_t usuario,
                              std::int64_t setor, std::string_view note) {
    return "insert into log (empresa, usuario, setor, data, hora, acao, obs)values(" +
           std::to_string(empresa) + ", " + std::to_string(usuario) + ", " + std::to_string(setor) + ",\"" +
           db::formatDate(localNow().date) + "\",current_time, \"I PEDIDO APP\", " + con.quote(note) + ")";
}

std::string chatInsert(std::int64_t codPedido) {
    const std::string number = std::to_string(codPedido);
    return "insert into chat (data, hora, mensagem, movimento, tipo)values(current_date, current_time, "
           "\"EI, TEMOS UMA NOVA VENDA GERADA PELO APP. DA UMA CONFERIDA NO PEDIDO CODIGO " +
           number + "\"," + number + ", \"PEDIDO\")";
}

std::string cancelOrder(db::Connection& con, std::string_view message, std::int64_t codigoExterno) {
    return "update pedido set status = \"C\", observacao = " +
           con.quote("CANCELADO PELO MONITOR POR CONTER ALGUM ERRO. Erro:" + std::string(message)) +
           " where id_integracao = " + std::to_string(codigoExterno);
}

}  // namespace synchub::inbound
