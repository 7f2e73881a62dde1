#pragma once

#include <string>

#include "inbound/ImportState.h"
#include "service/TcadQuarvex.h"

namespace synchub::inbound {

// Imports the app order on which `m.qexterno` stands, whose ERP lookup `m.qinterno` holds open: a new
// order is stored with everything that hangs on it in one ERP transaction, committed before the app
// order is marked; an order the ERP already holds is only marked. Failures of the order's own chain
// cancel it; any other failure leaves, with the transaction still open for the caller to roll back.
void importOrder(service::TcadQuarvex& m, ImportState& state, const std::string& campo_id);

}  // namespace synchub::inbound
