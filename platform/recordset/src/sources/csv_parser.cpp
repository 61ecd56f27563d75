// The CSV record splitter. It works on bytes: every character with a meaning in CSV is
// ASCII, so UTF-8 text passes through untouched once it has been checked.
#include "sources/csv_parser.hpp"

#include "errors/recordset_errors.hpp"

namespace recordset {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool is_line_end(char c) { return c == '\r' || c == '\n'; }

class parser {
public:
    parser(std::string_view text, std::u16string_view file_name) : s_(text), file_(file_name) {}

    std::vector<csv_record> records()
    {
        std::vector<csv_record> out;
        while (i_ < s_.size())
            out.push_back(record());
        // Blank lines at the end are an editor's leftovers, not records.
        while (!out.empty() && out.back().fields.size() == 1 && !out.back().fields[0].quoted &&
               out.back().fields[0].text.empty())
            out.pop_back();
        if (out.empty())
            fault(1, u"the file holds no header row (it is empty or blank)");
        return out;
    }

private:
    csv_record record()
    {
        csv_record r;
        r.line = line_;
        for (;;) {
            r.fields.push_back(at('"') ? quoted_field() : plain_field());
            if (!at(','))
                break;
            ++i_;
        }
        line_end();
        return r;
    }

    csv_field quoted_field()
    {
        csv_field f;
        f.quoted = true;
        size_t opened_on = line_;
        ++i_;
        for (;;) {
            if (i_ >= s_.size())
                fault(opened_on, u"the quoted field that starts on this line is not closed before the end of the file");
            char c = s_[i_];
            if (c == '"') {
                if (i_ + 1 < s_.size() && s_[i_ + 1] == '"') {
                    f.text += '"';
                    i_ += 2;
                    continue;
                }
                ++i_;
                break;
            }
            if (c == '\n' || (c == '\r' && !(i_ + 1 < s_.size() && s_[i_ + 1] == '\n')))
                ++line_;  // a CRLF counts once, at its LF
            f.text += c;
            ++i_;
        }
        if (i_ < s_.size() && s_[i_] != ',' && !is_line_end(s_[i_]))
            fault(line_, u"text follows the closing quote of a field; a quote inside a quoted field must be doubled");
        return f;
    }

    csv_field plain_field()
    {
        csv_field f;
        size_t start = i_;
        while (i_ < s_.size() && s_[i_] != ',' && !is_line_end(s_[i_])) {
            if (s_[i_] == '"')
                fault(line_, u"a quote appears inside an unquoted field; enclose the field in quotes and double "
                             u"the quote inside it");
            ++i_;
        }
        f.text.assign(s_.substr(start, i_ - start));
        return f;
    }

    void line_end()
    {
        if (i_ >= s_.size())
            return;
        if (s_[i_] == '\r')
            ++i_;
        if (i_ < s_.size() && s_[i_] == '\n')
            ++i_;
        ++line_;
    }

    bool at(char c) const { return i_ < s_.size() && s_[i_] == c; }

    [[noreturn]] void fault(size_t line, std::u16string_view why) const
    {
        fail(error_id::csv_syntax, {file_, to_text(static_cast<long long>(line)), why});
    }

    std::string_view s_;
    std::u16string_view file_;
    size_t i_ = 0;
    size_t line_ = 1;
};

size_t line_of_offset(std::string_view s, size_t offset)
{
    size_t line = 1;
    for (size_t i = 0; i < offset; ++i)
        if (s[i] == '\n' || (s[i] == '\r' && !(i + 1 < s.size() && s[i + 1] == '\n')))
            ++line;
    return line;
}

}  // namespace

size_t first_invalid_utf8(std::string_view s) noexcept
{
    size_t i = 0;
    while (i < s.size()) {
        auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
        unsigned char c = b(i);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t len;
        char32_t cp, min;
        if ((c & 0xE0) == 0xC0) {
            len = 2, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4, cp = c & 0x07, min = 0x10000;
        } else {
            return i;
        }
        if (i + len > s.size())
            return i;
        for (size_t k = 1; k < len; ++k) {
            if ((b(i + k) & 0xC0) != 0x80)
                return i;
            cp = (cp << 6) | (b(i + k) & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return i;
        i += len;
    }
    return std::string_view::npos;
}

std::vector<csv_record> parse_csv(std::string_view bytes, std::u16string_view file_name)
{
    if (bytes.starts_with(kBom))
        bytes.remove_prefix(kBom.size());
    size_t bad = first_invalid_utf8(bytes);
    if (bad != std::string_view::npos)
        fail(error_id::csv_syntax, {file_name, to_text(static_cast<long long>(line_of_offset(bytes, bad))),
                                    u"the bytes are not UTF-8; save the file as UTF-8"});
    return parser(bytes, file_name).records();
}

}  // namespace recordset
