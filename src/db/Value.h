#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace synchub::db {

struct Date {
    int year = 0, month = 0, day = 0;
    auto operator<=>(const Date&) const = default;
};

struct Time {
    int hour = 0, minute = 0, second = 0, microsecond = 0;
    auto operator<=>(const Time&) const = default;
};

struct DateTime {
    Date date;
    Time time;
    auto operator<=>(const DateTime&) const = default;
};

struct Blob {
    std::string bytes;
    auto operator<=>(const Blob&) const = default;
};

// Kinds of column and of value; a value of kind Null belongs to no column type.
enum class Kind { Null, Integer, Float, Text, Date, Time, DateTime, Blob };

const char* kindName(Kind kind) noexcept;

// A typed, nullable column value. NULL is kept apart from zero and from the empty text;
// the lenient readers (asInt, asText ...) turn NULL into 0 or "" only where a caller asks for it.
class Value {
  public:
    Value() = default;  // NULL
    Value(std::int64_t v) : m_v(v) {}
    Value(int v) : m_v(std::int64_t{v}) {}
    Value(double v) : m_v(v) {}
    Value(std::string v) : m_v(std::move(v)) {}
    Value(const char* v) : m_v(std::string(v)) {}
    Value(Date v) : m_v(v) {}
    Value(Time v) : m_v(v) {}
    Value(const DateTime& v) : m_v(v) {}
    Value(Blob v) : m_v(std::move(v)) {}

    Kind kind() const noexcept { return static_cast<Kind>(m_v.index()); }
    bool isNull() const noexcept { return kind() == Kind::Null; }

    // Lenient readers: NULL gives 0, 0.0 or the empty text. Text that is not a number throws.
    std::int64_t asInt() const;
    double asFloat() const;
    std::string asText() const;
    // NULL gives the zero date-time; text must read yyyy-mm-dd[ hh:mm:ss].
    DateTime asDateTime() const;

    // This value converted to a column of the given kind (NULL stays NULL). Throws db::Error
    // naming `column` when the value cannot be represented in that kind.
    Value convertedTo(Kind target, std::string_view column) const;

    bool operator==(const Value&) const = default;

    const auto& variant() const noexcept { return m_v; }

  private:
    std::variant<std::monostate, std::int64_t, double, std::string, Date, Time, DateTime, Blob> m_v;
};

// Text forms used in SQL literals and log lines: yyyy-mm-dd, hh:mm:ss[.ffffff].
std::string formatDate(const Date& d);
std::string formatTime(const Time& t);
std::string formatDateTime(const DateTime& dt);
std::string formatDouble(double v);

// Parses the text forms the server sends; throws db::Error on malformed text.
Date parseDate(std::string_view text);
Time parseTime(std::string_view text);
DateTime parseDateTime(std::string_view text);

}  // namespace synchub::db
