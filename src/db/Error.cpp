#include "db/Error.h"

#include <errmsg.h>
#include <mysqld_error.h>

namespace synchub::db {

Error::Error(std::string message, unsigned number, std::string sqlstate, std::string statement)
    : std::runtime_error(std::move(message)),
      m_number(number),
      m_sqlstate(std::move(sqlstate)),
      m_statement(std::move(statement)) {}

bool Error::connectionLost() const noexcept {
    return isConnectionLost(m_number);
}

bool isConnectionLost(unsigned number) noexcept {
    switch (number) {
        case CR_SERVER_GONE_ERROR:
        case CR_SERVER_LOST:
        case CR_CONNECTION_ERROR:
        case CR_CONN_HOST_ERROR:
        case CR_SERVER_LOST_EXTENDED:
        case CR_COMMANDS_OUT_OF_SYNC:
        case ER_CONNECTION_KILLED:
        case ER_SERVER_SHUTDOWN:
        case 4031:  // the server closed an idle session (client interaction timeout)
            return true;
        default:
            return false;
    }
}

}  // namespace synchub::db
