#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "db/Query.h"

namespace synchub::inbound {

// The name as the ERP keeps neighbourhoods: the letters a to z raised, every other byte (accented
// letters included) left as it is.
std::string neighbourhoodName(std::string_view name);

// ERP code of the neighbourhood called `name` (raised as above), created when the ERP lacks it.
// Runs on `aux`, which it leaves closed.
std::int64_t neighbourhoodCode(db::Query& aux, std::string_view name);

}  // namespace synchub::inbound
