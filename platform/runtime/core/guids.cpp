// GUID constants of the platform's interfaces and the GUID <-> string conversions
// ("{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", hex digits of either case).
#include <cstring>

#include "oleaut.h"

extern "C" {
const IID IID_NULL = {0x00000000, 0x0000, 0x0000, {0, 0, 0, 0, 0, 0, 0, 0}};
const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_ITypeInfo = {0x00020401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_ITypeLib = {0x00020402, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_ITypeComp = {0x00020403, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IErrorInfo = {0x1CF2B120, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
const IID IID_ICreateErrorInfo = {0x22F03340, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
const IID IID_ISupportErrorInfo = {0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
}

namespace {

constexpr int kGuidChars = 38;  // braces, 32 hex digits, 4 dashes

int hex_value(OLECHAR c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// Reads `digits` hex digits at s; false if any is not a hex digit.
bool read_hex(const OLECHAR *s, int digits, uint64_t *out)
{
    uint64_t v = 0;
    for (int i = 0; i < digits; ++i) {
        int h = hex_value(s[i]);
        if (h < 0)
            return false;
        v = (v << 4) | static_cast<unsigned>(h);
    }
    *out = v;
    return true;
}

bool parse_guid(LPCOLESTR s, GUID *g)
{
    if (!s)
        return false;
    size_t n = 0;
    while (n <= kGuidChars && s[n])
        ++n;
    if (n != kGuidChars || s[0] != u'{' || s[37] != u'}' || s[9] != u'-' || s[14] != u'-' || s[19] != u'-' ||
        s[24] != u'-')
        return false;
    uint64_t d1, d2, d3, b;
    if (!read_hex(s + 1, 8, &d1) || !read_hex(s + 10, 4, &d2) || !read_hex(s + 15, 4, &d3))
        return false;
    g->Data1 = static_cast<uint32_t>(d1);
    g->Data2 = static_cast<uint16_t>(d2);
    g->Data3 = static_cast<uint16_t>(d3);
    static constexpr int kByteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!read_hex(s + kByteAt[i], 2, &b))
            return false;
        g->Data4[i] = static_cast<uint8_t>(b);
    }
    return true;
}

void format_guid(REFGUID g, OLECHAR *out)
{
    static const char kHex[] = "0123456789ABCDEF";
    auto put = [&](int &pos, uint64_t v, int digits) {
        for (int i = digits - 1; i >= 0; --i)
            out[pos++] = static_cast<OLECHAR>(kHex[(v >> (4 * i)) & 0xF]);
    };
    int pos = 0;
    out[pos++] = u'{';
    put(pos, g.Data1, 8);
    out[pos++] = u'-';
    put(pos, g.Data2, 4);
    out[pos++] = u'-';
    put(pos, g.Data3, 4);
    out[pos++] = u'-';
    put(pos, g.Data4[0], 2);
    put(pos, g.Data4[1], 2);
    out[pos++] = u'-';
    for (int i = 2; i < 8; ++i)
        put(pos, g.Data4[i], 2);
    out[pos++] = u'}';
    out[pos] = 0;
}

}  // namespace

STDAPI IIDFromString(LPCOLESTR lpsz, LPGUID lpiid)
{
    if (!lpiid)
        return E_INVALIDARG;
    if (!lpsz) {
        *lpiid = IID_NULL;
        return S_OK;
    }
    GUID g;
    if (!parse_guid(lpsz, &g))
        return E_INVALIDARG;
    *lpiid = g;
    return S_OK;
}

STDAPI CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid)
{
    if (!pclsid)
        return E_INVALIDARG;
    if (!lpsz) {
        *pclsid = IID_NULL;
        return S_OK;
    }
    GUID g;
    if (parse_guid(lpsz, &g)) {
        *pclsid = g;
        return S_OK;
    }
    // Not a braced GUID: the platform then reads the text as a ProgID.
    HRESULT hr = CLSIDFromProgID(lpsz, pclsid);
    return SUCCEEDED(hr) ? hr : CO_E_CLASSSTRING;
}

STDAPI_(int) StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax)
{
    if (!lpsz || cchMax < kGuidChars + 1)
        return 0;
    format_guid(rguid, lpsz);
    return kGuidChars + 1;
}

STDAPI StringFromCLSID(REFCLSID rclsid, LPOLESTR *lplpsz)
{
    if (!lplpsz)
        return E_INVALIDARG;
    *lplpsz = static_cast<LPOLESTR>(CoTaskMemAlloc((kGuidChars + 1) * sizeof(OLECHAR)));
    if (!*lplpsz)
        return E_OUTOFMEMORY;
    format_guid(rclsid, *lplpsz);
    return S_OK;
}
