// Reading dates and times written the 1033 way.
#include <ctime>
#include <optional>
#include <vector>

#include "date_calendar.h"

namespace oleaut::conv {
namespace {

enum class TokenKind { Number, Month, Weekday, AmPm };

struct Token {
    TokenKind kind;
    long value = 0;       // Number: its value; Month: 1-12; AmPm: 0 for AM, 12 for PM
    int digits = 0;       // Number: how many digits were written
    char16_t after = 0;   // the separator that follows (':' '/' '-' ',' '.' ' '), 0 at the end
};

constexpr const char16_t *kMonths[] = {u"january", u"february", u"march",     u"april",   u"may",      u"june",
                                       u"july",    u"august",   u"september", u"october", u"november", u"december"};
constexpr const char16_t *kWeekdays[] = {u"sunday",   u"monday", u"tuesday", u"wednesday",
                                         u"thursday", u"friday", u"saturday"};

char16_t lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }
bool is_letter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool is_space(char16_t c) { return c == u' ' || c == u'\t' || c == 0x00A0; }

// A word matches a name written in full or cut to at least its first three letters.
bool matches_name(const std::u16string &word, std::u16string_view name)
{
    return word.size() >= 3 && word.size() <= name.size() && name.substr(0, word.size()) == word;
}

std::optional<Token> classify_word(const std::u16string &word)
{
    if (word == u"am" || word == u"a")
        return Token{TokenKind::AmPm, 0};
    if (word == u"pm" || word == u"p")
        return Token{TokenKind::AmPm, 12};
    for (int m = 0; m < 12; ++m)
        if (matches_name(word, kMonths[m]) || (m == 8 && word == u"sept"))
            return Token{TokenKind::Month, m + 1};
    for (const char16_t *d : kWeekdays)
        if (matches_name(word, d))
            return Token{TokenKind::Weekday, 0};
    return std::nullopt;
}

bool tokenize(std::u16string_view t, std::vector<Token> *out)
{
    size_t i = 0;
    while (i < t.size()) {
        const char16_t c = t[i];
        if (is_space(c)) {
            ++i;
            continue;
        }
        if (c == u':' || c == u'/' || c == u'-' || c == u',' || c == u'.') {
            if (out->empty() || out->back().after != u' ')
                return false;  // a separator must follow a token, and only one at a time
            out->back().after = c;
            ++i;
            continue;
        }
        Token tok{TokenKind::Number};
        if (is_digit(c)) {
            while (i < t.size() && is_digit(t[i])) {
                if (tok.value < 100000)
                    tok.value = tok.value * 10 + (t[i] - u'0');
                ++tok.digits;
                ++i;
            }
        } else if (is_letter(c)) {
            std::u16string word;
            while (i < t.size() && is_letter(t[i]))
                word.push_back(lower(t[i++]));
            std::optional<Token> w = classify_word(word);
            if (!w)
                return false;
            tok = *w;
        } else {
            return false;
        }
        tok.after = u' ';
        out->push_back(tok);
    }
    if (!out->empty() && out->back().after == u' ')
        out->back().after = 0;
    return !out->empty() && (out->back().after == 0 || out->back().after == u'.');
}

struct Parts {
    std::vector<Token> date_numbers;
    int month_word = 0;
    bool has_time = false;
    long hour = 0, minute = 0, second = 0;
    int ampm = -1;  // -1 none, else 0 or 12
};

// Splits tokens into the time (h:mm[:ss] or h followed by AM/PM) and the date.
bool classify(const std::vector<Token> &toks, Parts *p)
{
    for (size_t i = 0; i < toks.size(); ++i) {
        const Token &t = toks[i];
        const bool next_is_ampm = i + 1 < toks.size() && toks[i + 1].kind == TokenKind::AmPm;
        if (t.kind == TokenKind::Number && (t.after == u':' || next_is_ampm)) {
            if (p->has_time)
                return false;
            p->has_time = true;
            p->hour = t.value;
            if (t.after == u':') {
                if (++i >= toks.size() || toks[i].kind != TokenKind::Number || toks[i].digits > 2)
                    return false;
                p->minute = toks[i].value;
                if (toks[i].after == u':') {
                    if (++i >= toks.size() || toks[i].kind != TokenKind::Number || toks[i].digits > 2)
                        return false;
                    p->second = toks[i].value;
                }
            }
            if (i + 1 < toks.size() && toks[i + 1].kind == TokenKind::AmPm)
                p->ampm = static_cast<int>(toks[++i].value);
            continue;
        }
        switch (t.kind) {
        case TokenKind::Number:
            if (t.after == u'.')
                return false;  // "1.5" is a number, not a date
            p->date_numbers.push_back(t);
            break;
        case TokenKind::Month:
            if (p->month_word)
                return false;
            p->month_word = static_cast<int>(t.value);
            break;
        case TokenKind::Weekday:
            break;
        case TokenKind::AmPm:
            return false;  // AM/PM without an hour
        }
    }
    return p->date_numbers.size() <= 3;
}

int current_year()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// Two-digit years fall in 1930-2029, as the automation runtime reads them.
long full_year(const Token &t)
{
    if (t.digits <= 2)
        return t.value < 30 ? 2000 + t.value : 1900 + t.value;
    return t.value;
}

bool looks_like_year(const Token &t) { return t.digits >= 3 || t.value > 31; }

bool valid_ymd(long y, long m, long d)
{
    return y >= 100 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 &&
           d <= days_in_month(static_cast<int>(y), static_cast<int>(m));
}

bool resolve_date(const Parts &p, long *day)
{
    const std::vector<Token> &n = p.date_numbers;
    long y = 0, m = 0, d = 0;
    auto accept = [&](long yy, long mm, long dd) {
        if (!valid_ymd(yy, mm, dd))
            return false;
        y = yy, m = mm, d = dd;
        return true;
    };
    bool ok = false;
    if (p.month_word) {
        m = p.month_word;
        if (n.size() == 1)
            ok = looks_like_year(n[0]) ? accept(full_year(n[0]), m, 1) : accept(current_year(), m, n[0].value);
        else if (n.size() == 2)
            ok = looks_like_year(n[0]) ? accept(full_year(n[0]), m, n[1].value)
                                       : accept(full_year(n[1]), m, n[0].value);
    } else if (n.size() == 3) {
        if (looks_like_year(n[0]))
            ok = accept(full_year(n[0]), n[1].value, n[2].value);
        else
            ok = accept(full_year(n[2]), n[0].value, n[1].value) || accept(full_year(n[2]), n[1].value, n[0].value);
    } else if (n.size() == 2) {
        if (looks_like_year(n[0]))
            ok = accept(full_year(n[0]), n[1].value, 1);
        else if (looks_like_year(n[1]))
            ok = accept(full_year(n[1]), n[0].value, 1);
        else
            ok = accept(current_year(), n[0].value, n[1].value) || accept(current_year(), n[1].value, n[0].value);
    }
    if (!ok)
        return false;
    *day = day_number(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d));
    return true;
}

bool resolve_time(const Parts &p, long *seconds)
{
    long h = p.hour;
    if (p.ampm >= 0) {
        if (h < 0 || h > 12)
            return false;
        h = h % 12 + p.ampm;
    } else if (h > 23) {
        return false;
    }
    if (p.minute > 59 || p.second > 59)
        return false;
    *seconds = h * 3600 + p.minute * 60 + p.second;
    return true;
}

}  // namespace

HRESULT parse_date(std::u16string_view text, ULONG flags, double *out)
{
    std::vector<Token> toks;
    Parts parts;
    if (!tokenize(text, &toks) || !classify(toks, &parts))
        return DISP_E_TYPEMISMATCH;

    const bool has_date = !parts.date_numbers.empty() || parts.month_word != 0;
    if (!has_date && !parts.has_time)
        return DISP_E_TYPEMISMATCH;
    long day = 0, seconds = 0;
    if (has_date && !resolve_date(parts, &day))
        return DISP_E_TYPEMISMATCH;
    if (parts.has_time && !resolve_time(parts, &seconds))
        return DISP_E_TYPEMISMATCH;

    if (flags & VAR_TIMEVALUEONLY)
        day = 0;
    if (flags & VAR_DATEVALUEONLY)
        seconds = 0;
    *out = make_date(day, seconds);
    return S_OK;
}

}  // namespace oleaut::conv
