#pragma once

#include <functional>
#include <string_view>

#include "db/Query.h"

namespace synchub::db {

// Copies the current row of `source` into the row being edited or inserted in `target`, by column
// name: each source column, in select order, whose name `target` also has (compared without regard
// to case) and that `skip` does not refuse, is set as a typed value (NULL stays NULL, the value is
// converted to the target column's kind). Source columns the target lacks are passed over.
void copyColumns(const Query& source, Query& target,
                 const std::function<bool(std::string_view name)>& skip = nullptr);

}  // namespace synchub::db
