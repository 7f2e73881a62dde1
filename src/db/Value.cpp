#include "db/Value.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "db/Error.h"

namespace synchub::db {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

[[noreturn]] void badText(std::string_view text, const char* what) {
    throw Error("'" + std::string(text) + "' is not a valid " + what);
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return v;
}

std::optional<double> parseFloat(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return v;
}

int digits(std::string_view s, std::size_t pos, std::size_t n, bool& ok) {
    if (pos + n > s.size()) {
        ok = false;
        return 0;
    }
    int v = 0;
    for (std::size_t i = pos; i < pos + n; ++i) {
        if (s[i] < '0' || s[i] > '9') {
            ok = false;
            return 0;
        }
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

}  // namespace

const char* kindName(Kind kind) noexcept {
    switch (kind) {
        case Kind::Null:
            return "null";
        case Kind::Integer:
            return "integer";
        case Kind::Float:
            return "float";
        case Kind::Text:
            return "text";
        case Kind::Date:
            return "date";
        case Kind::Time:
            return "time";
        case Kind::DateTime:
            return "date-time";
        case Kind::Blob:
            return "blob";
    }
    return "?";
}

std::string formatDouble(double v) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

std::string formatDate(const Date& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

std::string formatTime(const Time& t) {
    char buf[48];
    if (t.microsecond != 0) {
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%06d", t.hour, t.minute, t.second, t.microsecond);
    } else {
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    }
    return buf;
}

std::string formatDateTime(const DateTime& dt) {
    return formatDate(dt.date) + " " + formatTime(dt.time);
}

Date parseDate(std::string_view text) {
    const auto s = trim(text);
    bool ok = s.size() >= 10 && s[4] == '-' && s[7] == '-';
    Date d{digits(s, 0, 4, ok), digits(s, 5, 2, ok), digits(s, 8, 2, ok)};
    if (!ok)
        badText(text, "date");
    return d;
}

Time parseTime(std::string_view text) {
    auto s = trim(text);
    bool ok = true;
    // Hours may have more than two digits in a TIME column; a time of day never does.
    const auto colon = s.find(':');
    if (colon == std::string_view::npos || colon == 0)
        badText(text, "time");
    Time t;
    t.hour = digits(s, 0, colon, ok);
    if (s.size() < colon + 6 || s[colon + 3] != ':')
        ok = false;
    t.minute = digits(s, colon + 1, 2, ok);
    t.second = digits(s, colon + 4, 2, ok);
    const std::size_t frac = colon + 6;
    if (ok && s.size() > frac) {
        if (s[frac] != '.')
            ok = false;
        std::string f(s.substr(frac + 1));
        f.resize(6, '0');
        t.microsecond = digits(f, 0, 6, ok);
    }
    if (!ok)
        badText(text, "time");
    return t;
}

DateTime parseDateTime(std::string_view text) {
    const auto s = trim(text);
    DateTime dt{parseDate(s.substr(0, 10)), {}};
    if (s.size() > 10) {
        if (s[10] != ' ' && s[10] != 'T')
            badText(text, "date-time");
        dt.time = parseTime(s.substr(11));
    }
    return dt;
}

std::int64_t Value::asInt() const {
    switch (kind()) {
        case Kind::Null:
            return 0;
        case Kind::Integer:
            return std::get<std::int64_t>(m_v);
        case Kind::Float:
            return static_cast<std::int64_t>(std::llround(std::get<double>(m_v)));
        case Kind::Text:
        case Kind::Blob: {
            const auto& s = kind() == Kind::Text ? std::get<std::string>(m_v) : std::get<Blob>(m_v).bytes;
            if (auto v = parseInteger(s))
                return *v;
            badText(s, "integer value");
        }
        default:
            throw Error(std::string("a ") + kindName(kind()) + " value cannot be read as an integer");
    }
}

double Value::asFloat() const {
    switch (kind()) {
        case Kind::Null:
            return 0.0;
        case Kind::Integer:
            return static_cast<double>(std::get<std::int64_t>(m_v));
        case Kind::Float:
            return std::get<double>(m_v);
        case Kind::Text:
        case Kind::Blob: {
            const auto& s = kind() == Kind::Text ? std::get<std::string>(m_v) : std::get<Blob>(m_v).bytes;
            if (auto v = parseFloat(s))
                return *v;
            badText(s, "floating point value");
        }
        default:
            throw Error(std::string("a ") + kindName(kind()) + " value cannot be read as a number");
    }
}

std::string Value::asText() const {
    switch (kind()) {
        case Kind::Null:
            return {};
        case Kind::Integer:
            return std::to_string(std::get<std::int64_t>(m_v));
        case Kind::Float:
            return formatDouble(std::get<double>(m_v));
        case Kind::Text:
            return std::get<std::string>(m_v);
        case Kind::Date:
            return formatDate(std::get<Date>(m_v));
        case Kind::Time:
            return formatTime(std::get<Time>(m_v));
        case Kind::DateTime:
            return formatDateTime(std::get<DateTime>(m_v));
        case Kind::Blob:
            return std::get<Blob>(m_v).bytes;
    }
    return {};
}

DateTime Value::asDateTime() const {
    switch (kind()) {
        case Kind::Null:
            return {};
        case Kind::Date:
            return DateTime{std::get<Date>(m_v), {}};
        case Kind::DateTime:
            return std::get<DateTime>(m_v);
        case Kind::Time:
            return DateTime{{}, std::get<Time>(m_v)};
        case Kind::Text:
            return parseDateTime(std::get<std::string>(m_v));
        default:
            throw Error(std::string("a ") + kindName(kind()) + " value cannot be read as a date-time");
    }
}

Value Value::convertedTo(Kind target, std::string_view column) const {
    if (isNull() || kind() == target)
        return *this;
    try {
        switch (target) {
            case Kind::Null:
                return *this;
            case Kind::Integer:
                if (kind() == Kind::Float) {
                    const double d = std::get<double>(m_v);
                    if (!std::isfinite(d))
                        break;
                    return Value(static_cast<std::int64_t>(std::llround(d)));
                }
                if (kind() == Kind::Text || kind() == Kind::Blob)
                    return Value(asInt());
                break;
            case Kind::Float:
                if (kind() == Kind::Integer || kind() == Kind::Text || kind() == Kind::Blob)
                    return Value(asFloat());
                break;
            case Kind::Text:
                return Value(asText());
            case Kind::Blob:
                return Value(Blob{asText()});
            case Kind::Date:
                if (kind() == Kind::DateTime)
                    return Value(std::get<DateTime>(m_v).date);
                if (kind() == Kind::Text)
                    return Value(parseDate(std::get<std::string>(m_v)));
                break;
            case Kind::Time:
                if (kind() == Kind::DateTime)
                    return Value(std::get<DateTime>(m_v).time);
                if (kind() == Kind::Text)
                    return Value(parseTime(std::get<std::string>(m_v)));
                break;
            case Kind::DateTime:
                if (kind() == Kind::Date || kind() == Kind::Text)
                    return Value(asDateTime());
                break;
        }
    } catch (const Error& e) {
        throw Error(std::string(e.what()) + " for column " + std::string(column));
    }
    throw Error(std::string("a ") + kindName(kind()) + " value cannot be stored in the " + kindName(target) +
                " column " + std::string(column));
}

}  // namespace synchub::db
