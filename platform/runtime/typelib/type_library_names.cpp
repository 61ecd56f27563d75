// IsName and FindName: names of the listed types and of their members (functions and
// constants), matched without regard to case. As on Windows, a match rewrites the
// caller's buffer in the library's spelling. The hash value a caller passes is not
// needed: the lookup compares the names themselves.
#include <algorithm>
#include <functional>

#include "type_errors.hpp"
#include "type_library.hpp"

namespace oleaut::disp {

namespace {

struct name_hit {
    type_info_base *type;
    MEMBERID id;
    std::u16string_view spelling;
};

// Calls `found` for each listed type or member named `name`, in library order, once per
// (type, member id): a property's get and put share one entry. Stops when it answers false.
void find_names(const std::vector<type_info_base *> &types, std::u16string_view name,
                const std::function<bool(const name_hit &)> &found)
{
    for (type_info_base *t : types) {
        if (names_equal(t->name(), name) && !found({t, MEMBERID_NIL, t->name()}))
            return;
        std::vector<MEMBERID> seen;
        for (const named_member &m : t->members()) {
            if (!names_equal(m.name, name) || std::find(seen.begin(), seen.end(), m.id) != seen.end())
                continue;
            seen.push_back(m.id);
            if (!found({t, m.id, m.name}))
                return;
        }
    }
}

void respell(LPOLESTR buffer, std::u16string_view spelling)
{
    // names_equal matched the lengths, so the spelling fits exactly.
    std::copy(spelling.begin(), spelling.end(), buffer);
}

}  // namespace

HRESULT STDMETHODCALLTYPE type_library::IsName(LPOLESTR szNameBuf, ULONG, BOOL *pfName)
try {
    if (!szNameBuf || !pfName)
        return fail(E_INVALIDARG, "IsName was given no name or no place for the answer.");
    *pfName = FALSE;
    find_names(listed_, szNameBuf, [&](const name_hit &hit) {
        respell(szNameBuf, hit.spelling);
        *pfName = TRUE;
        return false;
    });
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

HRESULT STDMETHODCALLTYPE type_library::FindName(LPOLESTR szNameBuf, ULONG, ITypeInfo **ppTInfo, MEMBERID *rgMemId,
                                                 USHORT *pcFound)
try {
    if (!szNameBuf || !ppTInfo || !rgMemId || !pcFound)
        return fail(E_INVALIDARG, "FindName was given no name, no arrays for the results or no count.");
    const USHORT capacity = *pcFound;
    USHORT count = 0;
    if (capacity > 0) {
        find_names(listed_, szNameBuf, [&](const name_hit &hit) {
            if (count == 0)
                respell(szNameBuf, hit.spelling);
            hit.type->AddRef();
            ppTInfo[count] = hit.type;
            rgMemId[count] = hit.id;
            return ++count < capacity;
        });
    }
    *pcFound = count;
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

}  // namespace oleaut::disp
