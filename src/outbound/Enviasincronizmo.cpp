#include <exception>

#include "outbound/Messages.h"
#include "outbound/TableExport.h"
#include "outbound/TableSource.h"
#include "service/TcadQuarvex.h"

namespace synchub::service {

void TcadQuarvex::Enviasincronizmo(const std::string& tabela, bool foto) {
    // Log calls outside the try: their failures are the caller's to handle.
    Gravalog(foto ? outbound::messages::photoStart(tabela) : outbound::messages::tableStart(tabela));
    try {
        // Photo mode always takes the default selection, on a query object of its own.
        outbound::TableExport exporter(*this, tabela,
                                       foto ? outbound::photoSource(tabela) : outbound::tableSource(tabela),
                                       foto ? qfotos : qinterno);
        exporter.run();
        Gravalog(foto ? outbound::messages::photoDone(tabela) : outbound::messages::tableDone(tabela));
    } catch (const std::exception& e) {
        // Nothing is retried: unmarked rows are selected again by the next cycle. The connections
        // stay as the failure left them.
        Gravalog(outbound::messages::exportFailed(tabela, e.what()));
    }
}

}  // namespace synchub::service
