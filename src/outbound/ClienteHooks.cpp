#include "db/Names.h"
#include "outbound/Hooks.h"
#include "outbound/Messages.h"
#include "outbound/RowSupport.h"
#include "service/TcadQuarvex.h"

namespace synchub::outbound {

std::string upperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

namespace {

// The name of the neighbourhood with code `codigo`, upper-cased; empty when there is none.
std::string bairroName(db::Query& qaux, const db::Value& codigo) {
    qaux.close();
    qaux.setSql("select nome from bairro where codigo = " + integerText(codigo));
    qaux.open();
    const std::string nome = qaux.isEmpty() ? std::string() : upperAscii(qaux.field("nome").asText());
    qaux.close();
    return nome;
}

}  // namespace

void fillCliente(RowContext& ctx) {
    const db::Query& source = ctx.source;
    db::Query& app = ctx.app;
    // The app shows the neighbourhood's name where the ERP keeps its code.
    app.set(names::kBairro, bairroName(ctx.module.Qaux, source.field(names::kBairro)));
    app.set(names::kIdInterno, source.field(names::kCodigo).asInt());
    if (source.field("fantasia").asText().empty()) {
        app.set("fantasia", upperAscii(source.field("razao").asText()));
    }
    // A customer that came from the app keeps its app key; any other gets one from the app.
    if (const std::int64_t idInternet = source.field(names::kIdInternet).asInt(); idInternet > 0) {
        app.set(names::kCodigo, idInternet);
    }
}

void markCliente(RowContext& ctx) {
    const std::string codigo = ctx.source.field(names::kCodigo).asText();
    withMessage(messages::markFailed(ctx.tabela, names::kCliente, codigo), [&] {
        // Read after the app write, so a new app row gives its generated key.
        const std::int64_t appCodigo = ctx.app.field(names::kCodigo).asInt();
        ctx.source.edit();
        ctx.source.set(names::kIdInternet, appCodigo);
        ctx.source.set(names::kSincronizado, names::kClienteDone);
        ctx.source.post();
    });
}

}  // namespace synchub::outbound
