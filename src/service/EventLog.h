#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace synchub::service {

// Where failures that escape start-up or a timer tick are reported: on Linux, one line per entry on
// standard error (the journal keeps it). Tests replace the sink to read the entries.
class EventLog {
  public:
    using Sink = std::function<void(std::string_view)>;
    EventLog();
    explicit EventLog(Sink sink) : m_sink(std::move(sink)) {}
    void error(std::string_view text) const;
    void info(std::string_view text) const;

  private:
    Sink m_sink;
};

}  // namespace synchub::service
