#include "service/TcadQuarvex.h"

#include "service/IniFile.h"
#include "service/ServiceSettings.h"

namespace synchub::service {
namespace {

constexpr std::int64_t kDefaultCycleMs = 300000;
constexpr std::int64_t kStartTimerMs = 10000;

constexpr const char* kParametrosSql =
    "select codigo, cidade , uf, tabelapadrao, dinheiro, boleto, cartao_avista,\n"
    "deposito, duplicata , condicao, historico_venda, fantasia, tabelapadrao,\n"
    "bloqueiaoperadorcliente\n"
    " from parametros\n"
    " where empresa = :empresa\n"
    "\n";

constexpr const char* kParcelasSql = "select * from parcelas_pedido where pedido = :pedido";

// Connects `c` with the given settings, assigned in the fixed order host, database, port, user,
// password (a bad port stops after the database was set).
void setUp(db::Connection& c, const std::string& host, const std::string& database, const std::string& port,
           const std::string& user, const std::string& password) {
    c.disconnect();
    c.setHost(host);
    c.setDatabase(database);
    c.setPort(toInt32(port));
    c.setUser(user);
    c.setPassword(password);
    c.connect();
}

}  // namespace

TcadQuarvex::TcadQuarvex(TimerLoop& loop, std::filesystem::path iniPath, EventLog eventLog)
    : Timer(loop, kDefaultCycleMs, false, [this] { TimerTimer(); }),
      con("con"),
      con_externo("con_externo"),
      Qaux(con),
      qparametro(con),
      qinterno(con),
      qauxext(con_externo),
      qexterno(con_externo),
      qlog(con),
      qfotos(con),
      qinternoitem(con),
      qexternoitem(con_externo),
      qparcelas(con),
      Timer1(loop, kStartTimerMs, true, [this] { Timer1Timer(); }),
      m_iniPath(std::move(iniPath)),
      m_eventLog(std::move(eventLog)) {
    qparametro.setSql(kParametrosSql);
    qparcelas.setSql(kParcelasSql);
}

void TcadQuarvex::ServiceStart(bool& Started) {
    m_startRunning = true;
    struct MarkFinished {
        std::atomic<bool>& running;
        ~MarkFinished() { running = false; }
    } finished{m_startRunning};

    readSettings(*this, IniFile::load(m_iniPath.string()));
    try {
        setUp(con, hostint, bancoint, portaint, usuarioint, senhaint);
        Gravalog("Conectado interno");
        setUp(con_externo, host, banco, porta, usuario, senha);
        Gravalog("Conectado externo");
        con_externo.disconnect();
        con.disconnect();
        Timer.setEnabled(true);
        const auto interval = parseInt32(tempo);
        Timer.setInterval(interval ? *interval : kDefaultCycleMs);
        if (interval && *interval < 0) {
            m_eventLog.info("TEMPOQUARVEX is negative (" + tempo + "): the cycle timer never ticks");
        }
        Started = true;
    } catch (const std::exception& e) {
        Started = false;
        Gravalog(e.what());
    }
}

void TcadQuarvex::Gravalog(const std::string& log) {
    qlog.close();
    // The text goes through the client's escaping, so quotes and backslashes are stored unchanged.
    qlog.setSql(
        "insert into log_monitor(data, hora, monitor, descricao)values(current_date, current_time, "
        "\"QUARVEX\"," +
        con.quote(log) + ")");
    qlog.execSql();
}

}  // namespace synchub::service
