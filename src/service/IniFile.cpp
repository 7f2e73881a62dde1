#include "service/IniFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace synchub::service {
namespace {

std::string_view trim(std::string_view s) {
    auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
    };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

IniFile IniFile::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    std::string section;
    bool inSection = false;
    // A UTF-8 byte order mark is not part of the first line.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    while (!text.empty()) {
        const auto eol = text.find('\n');
        std::string_view line = trim(text.substr(0, eol));
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            section = std::string(
                trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1)));
            inSection = true;
            continue;
        }
        const auto eq = line.find('=');
        if (!inSection || eq == std::string_view::npos)
            continue;
        std::string_view value = trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        ini.m_entries.push_back({section, std::string(trim(line.substr(0, eq))), std::string(value)});
    }
    return ini;
}

std::optional<std::string> IniFile::find(std::string_view section, std::string_view key) const {
    for (const auto& e : m_entries) {
        if (sameName(e.section, section) && sameName(e.key, key))
            return e.value;
    }
    return std::nullopt;
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view def) const {
    if (auto v = find(section, key))
        return *v;
    return std::string(def);
}

std::optional<int> parseInt32(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return v;
}

int toInt32(std::string_view text) {
    if (auto v = parseInt32(text))
        return *v;
    throw std::runtime_error("'" + std::string(text) + "' is not a valid integer value");
}

}  // namespace synchub::service
