#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "db/Connection.h"
#include "db/Query.h"
#include "service/EventLog.h"
#include "service/TimerLoop.h"

namespace synchub::service {

// The service module: owns both connections, the query objects bound to them for life, the two
// timers and the settings read at start. Every synchronisation operation is a member; they all run
// one after the other on the thread of the TimerLoop.
class TcadQuarvex {
  public:
    // `iniPath` is the MONITOR.INI that ServiceStart reads.
    TcadQuarvex(TimerLoop& loop, std::filesystem::path iniPath, EventLog eventLog = EventLog());
    TcadQuarvex(const TcadQuarvex&) = delete;
    TcadQuarvex& operator=(const TcadQuarvex&) = delete;

    // --- Start-up, monitor log, cycle --------------------------------------------------------
    // Reads MONITOR.INI, proves both connections and arms the cycle timer. `Started` tells whether
    // the service runs afterwards. A bad integer setting leaves it as an exception.
    void ServiceStart(bool& Started);
    // Writes one row to log_monitor; a failure reaches the caller.
    void Gravalog(const std::string& log);
    // One synchronisation cycle (cycle timer tick).
    void TimerTimer();
    // The one-shot receivables export (start timer tick).
    void Timer1Timer();
    // True while ServiceStart runs; the one-shot export waits for it to end.
    bool startRunning() const { return m_startRunning.load(); }

    // --- Outbound --------------------------------------------------------------------------
    void Enviasincronizmo(const std::string& tabela, bool foto);
    void EnviaSincronismostatus(const std::string& tabela, const std::string& campo_status,
                                const std::string& campo_codigo_interno);

    // --- Inbound ---------------------------------------------------------------------------
    void Recebesincronizmo(const std::string& tabela, const std::string& campo_id);
    void Recebesincronizmoitem(const std::string& tabela, const std::string& campo_id,
                               std::int32_t id_interno, std::int32_t id_externo);
    void Recebesincronizmofotos(const std::string& tabela, const std::string& campo_id,
                                std::int32_t id_interno, std::int32_t id_externo);
    void geraparcelapedido(std::int32_t pedido, std::int32_t condicao, double valor,
                           const db::DateTime& data);
    // Runs `sql` on the ERP; never throws. "ERRO" on failure, "" for tipo "E".
    std::string RetornaValor(const std::string& sql, const std::string& tipo, db::Connection& servidor);

    // --- Components, in declaration order --------------------------------------------------
    ServiceTimer Timer;
    db::Connection con;
    db::Connection con_externo;
    db::Query Qaux;
    db::Query qparametro;
    db::Query qinterno;
    db::Query qauxext;
    db::Query qexterno;
    db::Query qlog;
    db::Query qfotos;
    db::Query qinternoitem;
    db::Query qexternoitem;
    db::Query qparcelas;
    ServiceTimer Timer1;

    // --- Settings (written only by ServiceStart) -----------------------------------------------
    std::string host, banco, porta, usuario, senha;
    std::string hostint, bancoint, portaint, usuarioint, senhaint;
    std::string _empresa = "1";
    std::int32_t _tipomovimento = 0;
    std::int32_t _historico = 0;
    std::int32_t _tabelacusto = 0;
    std::string tempo;

    const std::filesystem::path& iniPath() const { return m_iniPath; }
    const EventLog& eventLog() const { return m_eventLog; }

  private:
    std::filesystem::path m_iniPath;
    EventLog m_eventLog;
    std::atomic<bool> m_startRunning{false};
};

}  // namespace synchub::service
