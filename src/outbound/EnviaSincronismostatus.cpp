#include <chrono>
#include <ctime>
#include <exception>

#include "db/Names.h"
#include "db/Value.h"
#include "outbound/Messages.h"
#include "outbound/RowSupport.h"
#include "service/TcadQuarvex.h"

namespace synchub::service {

namespace {

// The local time of day of this machine, to the millisecond, without a date.
db::Time localTimeOfDay() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return db::Time{local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(millis) * 1000};
}

}  // namespace

void TcadQuarvex::EnviaSincronismostatus(const std::string& tabela, const std::string& campo_status,
                                         const std::string& campo_codigo_interno) {
    try {
        qinterno.close();
        qinterno.setSql("select codigo, status, id_integracao from " + tabela +
                        " where sincronizado = 0 and id_integracao > 0 ");
        qinterno.open();
        if (!qinterno.isEmpty()) {
            qinterno.first();
            Gravalog(outbound::messages::statusStart(tabela));
        }
        while (!qinterno.eof()) {
            qexterno.close();
            qexterno.setSql("select * from " + tabela +
                            " where codigo = " + outbound::integerText(qinterno.field(campo_codigo_interno)));
            qexterno.open();
            // An order the app does not have stays pending and is looked up again next cycle.
            if (!qexterno.isEmpty()) {
                qexterno.first();
                qexterno.edit();
                qexterno.set("hora_status", localTimeOfDay());
                qexterno.set(campo_status, qinterno.field(campo_status).asText());
                qexterno.post();
                outbound::executeThrough(Qaux, "update pedido set sincronizado = 1 where codigo = " +
                                                   outbound::integerText(qinterno.field(names::kCodigo)));
            }
            qinterno.next();
        }
        qinterno.close();
        qexterno.close();
        con_externo.disconnect();
        con.disconnect();
    } catch (const std::exception& e) {
        Gravalog(outbound::messages::statusFailed(tabela, e.what()));
    }
}

}  // namespace synchub::service
