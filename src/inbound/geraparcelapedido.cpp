#include <chrono>
#include <exception>
#include <string>

#include "db/Error.h"
#include "inbound/Stamps.h"
#include "service/TcadQuarvex.h"

namespace synchub::service {
namespace {

db::Date plusDays(const db::Date& date, std::int64_t days) {
    using namespace std::chrono;
    const year_month_day start{year{date.year}, month{static_cast<unsigned>(date.month)},
                               day{static_cast<unsigned>(date.day)}};
    const year_month_day due{sys_days{start} + std::chrono::days{days}};
    return db::Date{static_cast<int>(due.year()), static_cast<int>(static_cast<unsigned>(due.month())),
                    static_cast<int>(static_cast<unsigned>(due.day()))};
}

void addInstallment(db::Query& parcelas, std::int32_t pedido, std::int32_t parcela, double valor,
                    const db::Date& vencimento) {
    parcelas.append();
    parcelas.set("pedido", pedido);
    parcelas.set("parcela", parcela);
    parcelas.set("valor", valor);
    parcelas.set("vencimento", vencimento);
    parcelas.post();
}

}  // namespace

// Installment k falls due on `data` plus the periodo of condition rows 1 to k: the first after the
// first row's periodo, and with equal periodo P on every row k x P days after `data`.
void TcadQuarvex::geraparcelapedido(std::int32_t pedido, std::int32_t condicao, double valor,
                                    const db::DateTime& data) {
    if (valor == 0.0) {
        return;
    }
    Qaux.close();
    Qaux.setSql("select * from items_condicao where condicao= " + std::to_string(condicao) +
                " order by ordem");
    Qaux.open();
    qparcelas.close();
    qparcelas.setParam("pedido", pedido);
    qparcelas.open();
    try {
        if (Qaux.isEmpty()) {
            addInstallment(qparcelas, pedido, 1, valor, inbound::localNow().date);
        } else {
            const double share = valor / static_cast<double>(Qaux.recordCount());
            db::Date due = data.date;
            std::int32_t parcela = 1;
            for (; !Qaux.eof(); Qaux.next()) {
                due = plusDays(due, Qaux.field("periodo").asInt());
                addInstallment(qparcelas, pedido, parcela++, share, due);
            }
        }
        Qaux.close();
    } catch (const db::Error& e) {
        throw db::Error("Erro ao gerar parcela:" + std::string(e.what()), e.number(), e.sqlstate(),
                        e.statement());
    } catch (const std::exception& e) {
        throw db::Error("Erro ao gerar parcela:" + std::string(e.what()));
    }
}

}  // namespace synchub::service
