// See typelib_registry_keys.h.
#include "typelib_registry_keys.h"

#include <cstdio>

#include "errors/activation_error_info.h"
#include "registry/activation_names.h"
#include "oleaut/utf.hpp"

namespace oleaut::detail {

namespace {

std::u16string hex(unsigned long v)
{
    char text[16];
    std::snprintf(text, sizeof text, "%lx", v);
    return utf8_to_utf16(text);
}

// A hexadecimal number of at most `max_digits` digits, the whole of `text`.
std::optional<unsigned long> parse_hex(std::u16string_view text, size_t max_digits)
{
    if (text.empty() || text.size() > max_digits)
        return std::nullopt;
    unsigned long v = 0;
    for (char16_t c : text) {
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return std::nullopt;
        v = v * 16 + static_cast<unsigned long>(digit);
    }
    return v;
}

}  // namespace

HRESULT typelib_failure(HRESULT hr, std::string_view description)
{
    publish_error_info(kTypeLibSource, description);
    return hr;
}

std::u16string version_key_name(WORD major, WORD minor) { return hex(major) + u"." + hex(minor); }

std::u16string lcid_key_name(LCID lcid) { return hex(lcid); }

const char16_t *platform_key_name(SYSKIND kind) noexcept
{
    switch (kind) {
    case SYS_WIN16: return u"win16";
    case SYS_WIN32: return u"win32";
    case SYS_MAC: return u"mac";
    case SYS_WIN64: return u"win64";
    }
    return nullptr;
}

std::optional<registered_version> parse_version_key_name(std::u16string_view name)
{
    const size_t dot = name.find(u'.');
    if (dot == std::u16string_view::npos)
        return std::nullopt;
    auto major = parse_hex(name.substr(0, dot), 4);
    auto minor = parse_hex(name.substr(dot + 1), 4);
    if (!major || !minor)
        return std::nullopt;
    return registered_version{static_cast<WORD>(*major), static_cast<WORD>(*minor)};
}

std::optional<LCID> parse_lcid_key_name(std::u16string_view name)
{
    auto v = parse_hex(name, 8);
    if (!v)
        return std::nullopt;
    return static_cast<LCID>(*v);
}

registry::key_path typelib_key_path(REFGUID libid) { return {u"TypeLib", guid_key_name(libid)}; }

registry::key_path interface_key_path(REFGUID iid) { return {u"Interface", guid_key_name(iid)}; }

registry::value string_value(std::u16string_view text)
{
    registry::value v;
    v.type = REG_SZ;
    for (char16_t c : text) {
        v.data.push_back(static_cast<BYTE>(c));
        v.data.push_back(static_cast<BYTE>(c >> 8));
    }
    v.data.push_back(0);
    v.data.push_back(0);
    return v;
}

std::optional<std::u16string> string_of(const registry::value &v)
{
    if (v.type != REG_SZ && v.type != REG_EXPAND_SZ)
        return std::nullopt;
    std::u16string text;
    for (size_t i = 0; i + 1 < v.data.size(); i += 2) {
        const auto c = static_cast<char16_t>(v.data[i] | (v.data[i + 1] << 8));
        if (c == 0)
            break;
        text.push_back(c);
    }
    return text;
}

}  // namespace oleaut::detail
