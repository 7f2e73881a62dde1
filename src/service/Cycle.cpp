#include <chrono>

#include "db/Names.h"
#include "service/IniFile.h"
#include "service/TcadQuarvex.h"

namespace synchub::service {

void TcadQuarvex::TimerTimer() {
    Timer.setEnabled(false);
    // The timer is switched on again on every way out, so the next cycle starts one full
    // interval after this one ended, whatever happened in it. The operator gets a summary line.
    struct Reenable {
        TcadQuarvex& m;
        std::chrono::steady_clock::time_point begin = std::chrono::steady_clock::now();
        std::uint64_t erp = m.con.statementCount();
        std::uint64_t app = m.con_externo.statementCount();
        ~Reenable() {
            m.Timer.setEnabled(true);
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - begin);
            m.eventLog().info("Cycle ended after " + std::to_string(ms.count()) +
                              " ms; statements sent: ERP " + std::to_string(m.con.statementCount() - erp) +
                              ", app " + std::to_string(m.con_externo.statementCount() - app));
        }
    } reenable{*this};

    bool answered = false;
    try {
        qparametro.close();
        qparametro.setParam("empresa", toInt32(_empresa));
        qparametro.open();
        // The value only proves that the ERP answers for the configured company.
        if (!qparametro.isEmpty())
            (void)qparametro.field("tabelapadrao").asInt();
        answered = true;
    } catch (const std::exception& e) {
        Gravalog(std::string("CONECTANDO TABELA PARAMETROS erro: ") + e.what());
    }
    if (!answered)
        return;

    using namespace names;
    Enviasincronizmo(kUsuario, false);
    Enviasincronizmo(kParametros, false);
    Enviasincronizmo(kFormaPagto, false);
    Enviasincronizmo(kCondicao, false);
    Enviasincronizmo(kCliente, false);
    Enviasincronizmo(kCidade, false);
    Enviasincronizmo(kProduto, false);
    Enviasincronizmo(kEstoque, false);
    Enviasincronizmo(kItemsTabela, false);
    Enviasincronizmo(kFotos, true);
    Recebesincronizmo(kCliente, kIdInternet);
    Recebesincronizmo(kCidade, kCodigo);
    Recebesincronizmo(kPedido, kIdIntegracao);
    EnviaSincronismostatus(kPedido, "status", kIdIntegracao);
}

void TcadQuarvex::Timer1Timer() {
    // Never alongside start-up: the export waits for the next tick.
    if (m_startRunning)
        return;
    Enviasincronizmo(names::kCtReceber, false);
    Timer1.setEnabled(false);
}

}  // namespace synchub::service
