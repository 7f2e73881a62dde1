#pragma once

#include <stdexcept>
#include <string>

namespace synchub::db {

// A failure of the database layer. what() is the server's (or the client's) message as it stands,
// so that log lines that carry "the error's message" show exactly what the database said.
class Error : public std::runtime_error {
  public:
    Error(std::string message, unsigned number = 0, std::string sqlstate = {}, std::string statement = {});

    // Client or server error number (0 for failures raised by this layer itself).
    unsigned number() const noexcept { return m_number; }
    const std::string& sqlstate() const noexcept { return m_sqlstate; }
    // The statement that failed, when there was one.
    const std::string& statement() const noexcept { return m_statement; }
    // True when the connection is gone and must be opened again before its next use.
    bool connectionLost() const noexcept;

  private:
    unsigned m_number;
    std::string m_sqlstate;
    std::string m_statement;
};

// True for the error numbers after which the client handle cannot be used again.
bool isConnectionLost(unsigned number) noexcept;

}  // namespace synchub::db
