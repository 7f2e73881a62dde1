#include "db/RowCopy.h"

namespace synchub::db {

void copyColumns(const Query& source, Query& target, const std::function<bool(std::string_view name)>& skip) {
    const auto& fields = source.fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& name = fields[i].name;
        if (!target.hasField(name))
            continue;
        if (skip && skip(name))
            continue;
        target.set(name, source.fieldAt(i));
    }
}

}  // namespace synchub::db
