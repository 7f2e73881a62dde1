#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace synchub::service {

// Read-only INI file with the Windows profile rules: section and key names in any letter case,
// names and values trimmed, one pair of enclosing quotes removed from a value, the first
// occurrence of a key wins, lines starting with ';' are comments, and a missing file, section or
// key gives the caller's default (a key present with an empty value gives the empty text).
class IniFile {
  public:
    // A file that cannot be read behaves as an empty one.
    static IniFile load(const std::string& path);
    static IniFile parse(std::string_view text);

    std::string readString(std::string_view section, std::string_view key, std::string_view def) const;
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

  private:
    struct Entry {
        std::string section, key, value;
    };
    std::vector<Entry> m_entries;
};

// Decimal integer that fits in 32 signed bits (optional sign, digits, surrounding blanks allowed).
std::optional<int> parseInt32(std::string_view text);
// The same, throwing std::runtime_error "'text' is not a valid integer value" otherwise.
int toInt32(std::string_view text);

}  // namespace synchub::service
