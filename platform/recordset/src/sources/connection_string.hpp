// Reading "Provider=SQLite;Data Source=C:\data\sales.db": Key=Value pairs separated by
// semicolons, keys without regard to case, values optionally in single or double quotes
// (so that a path may contain a semicolon; a doubled quote stands for one).
#ifndef RECORDSET_CONNECTION_STRING_HPP
#define RECORDSET_CONNECTION_STRING_HPP

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace recordset {

class connection_settings {
public:
    // Throws the connection_syntax error, quoting the whole string.
    static connection_settings parse(std::u16string_view text);

    // The value of the last pair with this key; nullptr when there is none.
    const std::u16string *find(std::u16string_view key) const noexcept;
    const std::vector<std::pair<std::u16string, std::u16string>> &pairs() const noexcept { return pairs_; }

private:
    std::vector<std::pair<std::u16string, std::u16string>> pairs_;
};

}  // namespace recordset

#endif
