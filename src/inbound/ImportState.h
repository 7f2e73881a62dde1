#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace synchub::inbound {

// What one call of the row import carries into its failure lines.
struct ImportState {
    std::string label;           // the step under way: "tabela cliente", "tabela pedido" ...
    std::int32_t codPedido = 0;  // ERP number of the order read back last in this call
};

// Columns a new ERP row never takes from the app row it is made from (names compared exactly).
inline bool skipRowColumn(std::string_view name) {
    return name == "codigo" || name == "sincronizado" || name == "bairro";
}

// Columns an ERP item or photo never takes from the app row: it belongs to another order there.
inline bool skipChildColumn(std::string_view name) {
    return name == "pedido" || name == "sincronizado";
}

}  // namespace synchub::inbound
