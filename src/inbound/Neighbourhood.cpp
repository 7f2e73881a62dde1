#include "inbound/Neighbourhood.h"

#include <algorithm>

namespace synchub::inbound {

std::string neighbourhoodName(std::string_view name) {
    std::string raised(name);
    std::ranges::transform(raised, raised.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return raised;
}

std::int64_t neighbourhoodCode(db::Query& aux, std::string_view name) {
    const std::string quoted = aux.connection().quote(neighbourhoodName(name));
    const std::string lookup = "select codigo from bairro where nome = " + quoted;
    aux.close();
    aux.setSql(lookup);
    aux.open();
    if (aux.isEmpty()) {
        aux.close();
        aux.setSql("insert into bairro (nome) values(" + quoted + ")");
        aux.execSql();
        aux.setSql(lookup);
        aux.open();
    }
    const std::int64_t code = aux.field("codigo").asInt();
    aux.close();
    return code;
}

}  // namespace synchub::inbound
