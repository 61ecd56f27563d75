// BSTR allocation. A BSTR points just past a 32-bit byte-length prefix and is
// followed by a terminating NUL, so it can be passed where a plain wide string
// is expected while still carrying embedded NULs and an exact length.
#include <cstdlib>
#include <cstring>

#include "oleaut.h"

namespace {

// Header and terminator around the characters; the terminator is two bytes so that
// odd byte lengths (SysAllocStringByteLen) stay terminated as wide strings too.
constexpr size_t kPrefix = sizeof(uint32_t);
constexpr size_t kTerminator = 2 * sizeof(OLECHAR);
// Largest byte length representable in the prefix with room for the terminator.
constexpr size_t kMaxBytes = 0x7FFFFFF0u;

uint32_t *header_of(BSTR b) { return reinterpret_cast<uint32_t *>(reinterpret_cast<char *>(b) - kPrefix); }

BSTR alloc_bytes(const void *src, size_t bytes)
{
    if (bytes > kMaxBytes)
        return nullptr;
    char *block = static_cast<char *>(std::malloc(kPrefix + bytes + kTerminator));
    if (!block)
        return nullptr;
    uint32_t len = static_cast<uint32_t>(bytes);
    std::memcpy(block, &len, sizeof len);
    char *chars = block + kPrefix;
    if (src)
        std::memcpy(chars, src, bytes);
    else
        std::memset(chars, 0, bytes);
    std::memset(chars + bytes, 0, kTerminator);
    return reinterpret_cast<BSTR>(chars);
}

size_t wide_length(const OLECHAR *s)
{
    size_t n = 0;
    while (s[n])
        ++n;
    return n;
}

}  // namespace

STDAPI_(BSTR) SysAllocString(const OLECHAR *psz)
{
    if (!psz)
        return nullptr;
    return alloc_bytes(psz, wide_length(psz) * sizeof(OLECHAR));
}

STDAPI_(BSTR) SysAllocStringLen(const OLECHAR *strIn, UINT ui)
{
    if (static_cast<size_t>(ui) * sizeof(OLECHAR) > kMaxBytes)
        return nullptr;
    return alloc_bytes(strIn, static_cast<size_t>(ui) * sizeof(OLECHAR));
}

STDAPI_(BSTR) SysAllocStringByteLen(const char *psz, UINT len) { return alloc_bytes(psz, len); }

STDAPI_(INT) SysReAllocStringLen(BSTR *pbstr, const OLECHAR *psz, UINT len)
{
    if (!pbstr)
        return FALSE;
    // The source may point into the string being replaced, so copy before freeing.
    BSTR fresh = SysAllocStringLen(psz, len);
    if (!fresh)
        return FALSE;
    SysFreeString(*pbstr);
    *pbstr = fresh;
    return TRUE;
}

STDAPI_(INT) SysReAllocString(BSTR *pbstr, const OLECHAR *psz)
{
    if (!pbstr)
        return FALSE;
    if (!psz) {
        SysFreeString(*pbstr);
        *pbstr = nullptr;
        return TRUE;
    }
    return SysReAllocStringLen(pbstr, psz, static_cast<UINT>(wide_length(psz)));
}

STDAPI_(void) SysFreeString(BSTR bstrString)
{
    if (bstrString)
        std::free(header_of(bstrString));
}

STDAPI_(UINT) SysStringByteLen(BSTR bstr) { return bstr ? *header_of(bstr) : 0; }

STDAPI_(UINT) SysStringLen(BSTR pbstr) { return SysStringByteLen(pbstr) / sizeof(OLECHAR); }
