#include "service/EventLog.h"

#include <cstdio>
#include <string>

namespace synchub::service {

EventLog::EventLog()
    : m_sink([](std::string_view line) {
          // One entry per line, written whole, so the journal keeps entries apart.
          std::string out(line);
          out += '\n';
          std::fwrite(out.data(), 1, out.size(), stderr);
          std::fflush(stderr);
      }) {}

void EventLog::error(std::string_view text) const {
    if (m_sink)
        m_sink(text);
}

void EventLog::info(std::string_view text) const {
    if (m_sink)
        m_sink(text);
}

}  // namespace synchub::service
