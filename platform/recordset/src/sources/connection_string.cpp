// The connection-string reader. It reports the first thing it cannot read, so that a
// typing mistake is named rather than silently dropped.
#include "sources/connection_string.hpp"

#include "errors/recordset_errors.hpp"
#include "oleaut/dispatch/describe.hpp"

namespace recordset {

namespace {

bool is_space(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string_view trim(std::u16string_view s)
{
    while (!s.empty() && is_space(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && is_space(s.back()))
        s.remove_suffix(1);
    return s;
}

class reader {
public:
    explicit reader(std::u16string_view text) : text_(text) {}

    std::vector<std::pair<std::u16string, std::u16string>> pairs()
    {
        std::vector<std::pair<std::u16string, std::u16string>> out;
        while (pos_ < text_.size()) {
            size_t eq = text_.find(u'=', pos_);
            size_t semi = text_.find(u';', pos_);
            if (eq == std::u16string_view::npos || (semi != std::u16string_view::npos && semi < eq)) {
                std::u16string_view part = trim(text_.substr(pos_, semi == std::u16string_view::npos ? semi : semi - pos_));
                if (!part.empty())
                    bad(u"the part '" + std::u16string(part) + u"' has no '='");
                pos_ = semi == std::u16string_view::npos ? text_.size() : semi + 1;
                continue;
            }
            std::u16string_view key = trim(text_.substr(pos_, eq - pos_));
            if (key.empty())
                bad(u"a value at position " + to_text(static_cast<long long>(eq + 1)) + u" has no key before its '='");
            pos_ = eq + 1;
            out.emplace_back(std::u16string(key), value());
        }
        return out;
    }

private:
    std::u16string value()
    {
        while (pos_ < text_.size() && is_space(text_[pos_]))
            ++pos_;
        if (pos_ < text_.size() && (text_[pos_] == u'"' || text_[pos_] == u'\''))
            return quoted(text_[pos_]);
        size_t semi = text_.find(u';', pos_);
        size_t end = semi == std::u16string_view::npos ? text_.size() : semi;
        std::u16string v(trim(text_.substr(pos_, end - pos_)));
        pos_ = semi == std::u16string_view::npos ? text_.size() : semi + 1;
        return v;
    }

    std::u16string quoted(char16_t quote)
    {
        size_t opened_at = pos_ + 1;  // 1-based position of the opening quote
        ++pos_;
        std::u16string v;
        for (;;) {
            if (pos_ >= text_.size())
                bad(u"the quote opened at position " + to_text(static_cast<long long>(opened_at)) + u" is not closed");
            char16_t c = text_[pos_++];
            if (c != quote) {
                v += c;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == quote) {
                v += quote;
                ++pos_;
                continue;
            }
            break;
        }
        while (pos_ < text_.size() && is_space(text_[pos_]))
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] != u';')
            bad(u"text follows the closing quote at position " + to_text(static_cast<long long>(pos_ + 1)));
        if (pos_ < text_.size())
            ++pos_;
        return v;
    }

    [[noreturn]] void bad(const std::u16string &why) { fail(error_id::connection_syntax, {text_, why}); }

    std::u16string_view text_;
    size_t pos_ = 0;
};

}  // namespace

connection_settings connection_settings::parse(std::u16string_view text)
{
    connection_settings s;
    s.pairs_ = reader(text).pairs();
    return s;
}

const std::u16string *connection_settings::find(std::u16string_view key) const noexcept
{
    const std::u16string *found = nullptr;
    for (const auto &[k, v] : pairs_)
        if (oleaut::disp::names_equal(k, key))
            found = &v;
    return found;
}

}  // namespace recordset
