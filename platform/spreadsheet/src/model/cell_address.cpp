#include "model/cell_address.hpp"

namespace sheethost::model {

namespace {

bool is_letter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

// One corner: optional '$', letters, optional '$', digits.
std::optional<cell_range> parse_cell(std::u16string_view text)
{
    size_t i = 0;
    if (i < text.size() && text[i] == u'$')
        ++i;
    size_t letters_start = i;
    while (i < text.size() && is_letter(text[i]))
        ++i;
    std::optional<int> column = column_from_letters(text.substr(letters_start, i - letters_start));
    if (i < text.size() && text[i] == u'$')
        ++i;
    size_t digits_start = i;
    long long row = 0;
    while (i < text.size() && is_digit(text[i]) && i - digits_start < 7)
        row = row * 10 + (text[i++] - u'0');
    if (!column || i == digits_start || i != text.size() || !is_cell_in_sheet(row, *column))
        return std::nullopt;
    return cell_range::cell(static_cast<int>(row), *column);
}

}  // namespace

std::u16string column_letters(int column)
{
    std::u16string out;
    for (int n = column; n > 0; n = (n - 1) / 26)
        out.insert(out.begin(), static_cast<char16_t>(u'A' + (n - 1) % 26));
    return out;
}

std::optional<int> column_from_letters(std::u16string_view letters)
{
    if (letters.empty() || letters.size() > 3)
        return std::nullopt;
    int column = 0;
    for (char16_t c : letters) {
        if (!is_letter(c))
            return std::nullopt;
        char16_t upper = c >= u'a' ? static_cast<char16_t>(c - 32) : c;
        column = column * 26 + (upper - u'A' + 1);
    }
    if (column > kMaxColumns)
        return std::nullopt;
    return column;
}

std::u16string format_address(const cell_range &range, bool absolute)
{
    const std::u16string dollar = absolute ? u"$" : u"";
    auto corner = [&](int row, int column) {
        std::string digits = std::to_string(row);
        return dollar + column_letters(column) + dollar + std::u16string(digits.begin(), digits.end());
    };
    std::u16string out = corner(range.top, range.left);
    if (!range.is_single_cell())
        out += u":" + corner(range.bottom, range.right);
    return out;
}

std::u16string format_reference(std::u16string_view sheet_name, const cell_range &range)
{
    bool plain = !sheet_name.empty() && !is_digit(sheet_name.front());
    for (char16_t c : sheet_name)
        plain = plain && (is_letter(c) || is_digit(c) || c == u'_' || c == u'.');
    std::u16string name(sheet_name);
    if (!plain) {
        std::u16string quoted = u"'";
        for (char16_t c : name)
            quoted += c == u'\'' ? std::u16string(u"''") : std::u16string(1, c);
        name = quoted + u"'";
    }
    return name + u"!" + format_address(range);
}

std::optional<cell_range> parse_address(std::u16string_view text)
{
    size_t colon = text.find(u':');
    std::optional<cell_range> first = parse_cell(text.substr(0, colon));
    if (!first || colon == std::u16string_view::npos)
        return first;
    std::optional<cell_range> second = parse_cell(text.substr(colon + 1));
    if (!second)
        return std::nullopt;
    return cell_range::spanning(*first, *second);
}

}  // namespace sheethost::model
