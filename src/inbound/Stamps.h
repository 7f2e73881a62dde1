#pragma once

#include <string>

#include "db/Value.h"

// Text forms of the moments that the order note and the item log line carry, and the host's clock.
namespace synchub::inbound {

// The host's current local date and time.
db::DateTime localNow();

// dd/mm/yyyy of a date, a date-time or their text; NULL gives the empty text.
std::string stampDate(const db::Value& value);
// hh:mm:ss of a time, a date-time or their text; NULL gives the empty text.
std::string stampTime(const db::Value& value);
// dd/mm/yyyy hh:mm:ss; NULL gives the empty text.
std::string stampDateTime(const db::Value& value);
std::string stampDateTime(const db::DateTime& moment);

}  // namespace synchub::inbound
