#include "inbound/Stamps.h"

#include <cstdio>
#include <ctime>
#include <type_traits>
#include <variant>

#include "db/Error.h"

namespace synchub::inbound {
namespace {

std::string dayMonthYear(const db::Date& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", d.day, d.month, d.year);
    return text;
}

std::string hourMinuteSecond(const db::Time& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

// The moment a value holds, whatever its kind: a bare date starts at midnight, a bare time has the
// zero date. Text is read in the forms the server sends.
db::DateTime momentOf(const db::Value& value) {
    return std::visit(
        [](const auto& v) -> db::DateTime {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, db::Date>) {
                return db::DateTime{v, {}};
            } else if constexpr (std::is_same_v<T, db::Time>) {
                return db::DateTime{{}, v};
            } else if constexpr (std::is_same_v<T, db::DateTime>) {
                return v;
            } else if constexpr (std::is_same_v<T, std::string>) {
                if (v.find('-') == std::string::npos) {
                    return db::DateTime{{}, db::parseTime(v)};
                }
                return db::parseDateTime(v);
            } else {
                throw db::Error("a number or binary value does not hold a date or a time");
            }
        },
        value.variant());
}

}  // namespace

db::DateTime localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return db::DateTime{{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
                        {local.tm_hour, local.tm_min, local.tm_sec, 0}};
}

std::string stampDate(const db::Value& value) {
    return value.isNull() ? std::string() : dayMonthYear(momentOf(value).date);
}

std::string stampTime(const db::Value& value) {
    return value.isNull() ? std::string() : hourMinuteSecond(momentOf(value).time);
}

std::string stampDateTime(const db::Value& value) {
    return value.isNull() ? std::string() : stampDateTime(momentOf(value));
}

std::string stampDateTime(const db::DateTime& moment) {
    return dayMonthYear(moment.date) + " " + hourMinuteSecond(moment.time);
}

}  // namespace synchub::inbound
