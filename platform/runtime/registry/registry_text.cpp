// Reading and writing the registry file's text form (see registry_text.h).
#include "registry_text.h"

#include <cstdio>

#include "oleaut/utf.hpp"

namespace oleaut::registry {

namespace {

constexpr size_t kMaxKeyNameChars = 255;

const char kHeader[] =
    "; HKEY_CLASSES_ROOT of the Quillet automation runtime.\n"
    "; Programs rewrite this file whole under a lock; edit it by hand only while none runs.\n";

bool is_surrogate(char16_t c) noexcept { return c >= 0xD800 && c <= 0xDFFF; }
bool is_high_surrogate(char16_t c) noexcept { return c >= 0xD800 && c <= 0xDBFF; }
bool is_low_surrogate(char16_t c) noexcept { return c >= 0xDC00 && c <= 0xDFFF; }

// ---- writing -------------------------------------------------------------------------

void append_hex4(std::string &out, unsigned v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", v & 0xFFFFu);
    out += buf;
}

// Characters that UTF-8 cannot carry (unpaired surrogates) or that would break the
// line structure are escaped; everything else is written as UTF-8.
void append_quoted(std::string &out, std::u16string_view s)
{
    out += '"';
    std::u16string plain;
    auto flush = [&] {
        out += utf16_to_utf8(plain);
        plain.clear();
    };
    for (size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        const char *esc = nullptr;
        switch (c) {
        case u'\\': esc = "\\\\"; break;
        case u'"': esc = "\\\""; break;
        case u'\n': esc = "\\n"; break;
        case u'\r': esc = "\\r"; break;
        case u'\t': esc = "\\t"; break;
        default: break;
        }
        bool paired = is_high_surrogate(c) && i + 1 < s.size() && is_low_surrogate(s[i + 1]);
        if (esc) {
            flush();
            out += esc;
        } else if (c < 0x20 || c == 0x7F || (is_surrogate(c) && !paired)) {
            flush();
            out += "\\u";
            append_hex4(out, c);
        } else if (paired) {
            plain += c;
            plain += s[++i];
        } else {
            plain += c;
        }
    }
    flush();
    out += '"';
}

// The text of a REG_SZ whose bytes are exactly "characters, then one NUL"; false
// for any other shape, which must then be written as bytes to round-trip.
bool as_plain_string(const value &v, std::u16string *text)
{
    if (v.type != REG_SZ || v.data.size() < 2 || v.data.size() % 2 != 0)
        return false;
    size_t n = v.data.size() / 2 - 1;
    std::u16string s(n, u'\0');
    for (size_t i = 0; i <= n; ++i) {
        char16_t c = static_cast<char16_t>(v.data[2 * i] | (v.data[2 * i + 1] << 8));
        if ((c == 0) != (i == n))
            return false;
        if (i < n)
            s[i] = c;
    }
    *text = std::move(s);
    return true;
}

void append_value(std::string &out, const std::u16string &name, const value &v)
{
    if (name.empty())
        out += '@';
    else
        append_quoted(out, name);
    out += '=';
    std::u16string text;
    char buf[32];
    if (as_plain_string(v, &text)) {
        append_quoted(out, text);
    } else if (v.type == REG_DWORD && v.data.size() == 4) {
        unsigned d = v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) | (static_cast<unsigned>(v.data[3]) << 24);
        std::snprintf(buf, sizeof buf, "dword:%08x", d);
        out += buf;
    } else {
        if (v.type == REG_BINARY)
            out += "hex:";
        else {
            std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
            out += buf;
        }
        for (size_t i = 0; i < v.data.size(); ++i) {
            std::snprintf(buf, sizeof buf, i ? ",%02x" : "%02x", v.data[i]);
            out += buf;
        }
    }
    out += '\n';
}

void append_key(std::string &out, const key &k, const std::string &path)
{
    // The root's section is written only when it carries values of its own.
    if (!path.empty() || !k.values.empty()) {
        out += '\n';
        out += '[';
        out += path;
        out += "]\n";
        // The default value first, as regedit lists it.
        auto def = k.values.find(std::u16string());
        if (def != k.values.end())
            append_value(out, def->first, def->second);
        for (const auto &[name, v] : k.values)
            if (!name.empty())
                append_value(out, name, v);
    }
    for (const auto &[name, sub] : k.subkeys)
        append_key(out, *sub, path.empty() ? utf16_to_utf8(name) : path + '\\' + utf16_to_utf8(name));
}

// ---- reading -------------------------------------------------------------------------

std::string_view trim(std::string_view s)
{
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos)
        return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted string at the start of s; on success s is advanced past it.
bool read_quoted(std::string_view &s, std::u16string *out, std::string *why)
{
    if (s.empty() || s[0] != '"') {
        *why = "expected a quoted string";
        return false;
    }
    std::string raw;
    out->clear();
    size_t i = 1;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"')
            break;
        if (c != '\\') {
            raw += c;
            continue;
        }
        if (++i == s.size())
            break;
        char e = s[i];
        char16_t decoded = 0;
        switch (e) {
        case '\\': decoded = u'\\'; break;
        case '"': decoded = u'"'; break;
        case 'n': decoded = u'\n'; break;
        case 'r': decoded = u'\r'; break;
        case 't': decoded = u'\t'; break;
        case 'u': {
            unsigned v = 0;
            for (int k = 0; k < 4; ++k) {
                int h = i + 1 + k < s.size() ? hex_digit(s[i + 1 + k]) : -1;
                if (h < 0) {
                    *why = "\\u must be followed by four hex digits";
                    return false;
                }
                v = (v << 4) | static_cast<unsigned>(h);
            }
            i += 4;
            decoded = static_cast<char16_t>(v);
            break;
        }
        default:
            *why = std::string("unknown escape \\") + e + " (known: \\\\ \\\" \\n \\r \\t \\uXXXX)";
            return false;
        }
        *out += utf8_to_utf16(raw);
        raw.clear();
        *out += decoded;
    }
    if (i >= s.size()) {
        *why = "the closing quote is missing";
        return false;
    }
    *out += utf8_to_utf16(raw);
    s.remove_prefix(i + 1);
    return true;
}

bool read_hex_bytes(std::string_view s, std::vector<BYTE> *out, std::string *why)
{
    out->clear();
    s = trim(s);
    if (s.empty())
        return true;
    while (true) {
        std::string_view item = trim(s.substr(0, s.find(',')));
        if (item.size() != 2 || hex_digit(item[0]) < 0 || hex_digit(item[1]) < 0) {
            *why = "bytes must be written as two hex digits separated by commas, e.g. hex:01,ff";
            return false;
        }
        out->push_back(static_cast<BYTE>(hex_digit(item[0]) * 16 + hex_digit(item[1])));
        size_t comma = s.find(',');
        if (comma == std::string_view::npos)
            return true;
        s.remove_prefix(comma + 1);
    }
}

bool read_data(std::string_view s, value *v, std::string *why)
{
    if (!s.empty() && s[0] == '"') {
        std::u16string text;
        if (!read_quoted(s, &text, why))
            return false;
        if (!trim(s).empty()) {
            *why = "unexpected text after the closing quote";
            return false;
        }
        v->type = REG_SZ;
        v->data.clear();
        for (char16_t c : text) {
            v->data.push_back(static_cast<BYTE>(c & 0xFF));
            v->data.push_back(static_cast<BYTE>(c >> 8));
        }
        v->data.push_back(0);
        v->data.push_back(0);
        return true;
    }
    if (s.starts_with("dword:")) {
        std::string_view digits = s.substr(6);
        unsigned d = 0;
        bool ok = !digits.empty() && digits.size() <= 8;
        for (char c : digits) {
            int h = hex_digit(c);
            ok = ok && h >= 0;
            d = (d << 4) | static_cast<unsigned>(h < 0 ? 0 : h);
        }
        if (!ok) {
            *why = "dword: must be followed by one to eight hex digits";
            return false;
        }
        v->type = REG_DWORD;
        v->data = {static_cast<BYTE>(d), static_cast<BYTE>(d >> 8), static_cast<BYTE>(d >> 16),
                   static_cast<BYTE>(d >> 24)};
        return true;
    }
    if (s.starts_with("hex:")) {
        v->type = REG_BINARY;
        return read_hex_bytes(s.substr(4), &v->data, why);
    }
    if (s.starts_with("hex(")) {
        size_t close = s.find("):");
        std::string_view digits = close == std::string_view::npos ? std::string_view() : s.substr(4, close - 4);
        unsigned type = 0;
        bool ok = !digits.empty() && digits.size() <= 8;
        for (char c : digits) {
            int h = hex_digit(c);
            ok = ok && h >= 0;
            type = (type << 4) | static_cast<unsigned>(h < 0 ? 0 : h);
        }
        if (!ok) {
            *why = "hex(type): needs the value type as hex digits, e.g. hex(2):41,00,00,00";
            return false;
        }
        v->type = type;
        return read_hex_bytes(s.substr(close + 2), &v->data, why);
    }
    *why = "a value must be \"text\", dword:XXXXXXXX, hex:bytes or hex(type):bytes";
    return false;
}

bool read_value_line(std::string_view line, std::u16string *name, value *v, std::string *why)
{
    if (line[0] == '@') {
        name->clear();
        line.remove_prefix(1);
    } else if (!read_quoted(line, name, why)) {
        return false;
    }
    line = trim(line);
    if (line.empty() || line[0] != '=') {
        *why = "expected = after the value name";
        return false;
    }
    return read_data(trim(line.substr(1)), v, why);
}

bool read_section_line(std::string_view line, key_path *path, std::string *why)
{
    if (line.back() != ']') {
        *why = "a key line must end with ]";
        return false;
    }
    std::u16string inner = utf8_to_utf16(line.substr(1, line.size() - 2));
    path->clear();
    if (inner.empty())
        return true;  // [] is the root itself
    size_t start = 0;
    while (true) {
        size_t end = inner.find(u'\\', start);
        std::u16string name = inner.substr(start, end == std::u16string::npos ? end : end - start);
        if (!is_storable_key_name(name)) {
            *why = name.empty() ? "a key path has an empty name (two backslashes, or one at an end)"
                                : "a key name is longer than 255 characters or holds a control character";
            return false;
        }
        path->push_back(std::move(name));
        if (end == std::u16string::npos)
            return true;
        start = end + 1;
    }
}

}  // namespace

bool is_storable_key_name(std::u16string_view name) noexcept
{
    if (name.empty() || name.size() > kMaxKeyNameChars)
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t c = name[i];
        if (c == u'\\' || c < 0x20 || c == 0x7F)
            return false;
        if (is_high_surrogate(c) && i + 1 < name.size() && is_low_surrogate(name[i + 1]))
            ++i;
        else if (is_surrogate(c))
            return false;
    }
    return true;
}

bool parse_registry_text(std::string_view text, key &root, parse_error *error)
{
    key *current = nullptr;
    size_t line_no = 0;
    // A byte-order mark is tolerated at the start: editors add one.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    while (!text.empty()) {
        ++line_no;
        size_t nl = text.find('\n');
        std::string_view raw = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        std::string_view line = trim(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        std::string why;
        bool ok = false;
        if (line[0] == '[') {
            key_path path;
            ok = read_section_line(line, &path, &why);
            if (ok)
                current = &create_key(root, path, nullptr, nullptr);
        } else if (line[0] == '@' || line[0] == '"') {
            std::u16string name;
            value v;
            ok = read_value_line(line, &name, &v, &why);
            if (ok && !current) {
                ok = false;
                why = "a value appears before any [key] line";
            }
            if (ok)
                current->values.insert_or_assign(std::move(name), std::move(v));
        } else {
            why = "expected a [key] line, a value line (\"name\"=... or @=...) or a ; comment";
        }
        if (!ok) {
            error->line = line_no;
            error->message = why;
            return false;
        }
    }
    return true;
}

std::string format_registry_text(const key &root)
{
    std::string out = kHeader;
    append_key(out, root, std::string());
    return out;
}

}  // namespace oleaut::registry
