#include <exception>

#include "inbound/Messages.h"
#include "service/TcadQuarvex.h"

namespace synchub::service {

// Every statement runs on con through Qaux, whatever `servidor` names: no caller means another.
std::string TcadQuarvex::RetornaValor(const std::string& sql, const std::string& tipo,
                                      [[maybe_unused]] db::Connection& servidor) {
    try {
        std::string result;
        Qaux.close();
        Qaux.setSql(sql);
        if (tipo == "E") {
            Qaux.execSql();
        } else {
            Qaux.open();
            if (!Qaux.isEmpty()) {
                result = Qaux.fieldAt(0).asText();
            }
        }
        Qaux.close();
        return result;
    } catch (const std::exception& e) {
        Qaux.close();
        // The operator is told through the monitor log; when even that fails nobody can be told.
        try {
            Gravalog(inbound::queryFailureLine(e.what()));
        } catch (const std::exception&) {
        }
        return "ERRO";
    }
}

}  // namespace synchub::service
