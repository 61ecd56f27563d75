// The Reg* entry points on HKEY_CLASSES_ROOT. Each call is one visit to the registry
// file: reads take a snapshot, changes are one locked transaction (registry_file.h).
#include <cstring>
#include <new>

#include "oleaut.h"
#include "registry_file.h"
#include "registry_handles.h"
#include "registry_text.h"

using namespace oleaut::registry;

namespace {

constexpr size_t kMaxValueNameChars = 16383;

// Splits "A\B\C" into names. A leading backslash is refused as Windows refuses it;
// empty names from doubled or trailing backslashes are skipped.
LSTATUS split_subkey(LPCOLESTR sub, key_path *out)
{
    out->clear();
    if (!sub)
        return ERROR_SUCCESS;
    std::u16string_view s(sub);
    if (!s.empty() && s[0] == u'\\')
        return OLEAUT_ERROR_BAD_PATHNAME;
    while (!s.empty()) {
        size_t end = s.find(u'\\');
        std::u16string_view name = s.substr(0, end);
        if (!name.empty()) {
            if (!is_storable_key_name(name))
                return ERROR_INVALID_PARAMETER;
            out->emplace_back(name);
        }
        s.remove_prefix(end == std::u16string_view::npos ? s.size() : end + 1);
    }
    return ERROR_SUCCESS;
}

key_path concat(const key_path &a, const key_path &b)
{
    key_path r = a;
    r.insert(r.end(), b.begin(), b.end());
    return r;
}

bool value_name_ok(LPCOLESTR name) { return !name || std::char_traits<char16_t>::length(name) <= kMaxValueNameChars; }

// Runs body, turning an allocation failure into the status Windows uses for it.
template <class F>
LSTATUS guarded(F &&body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc &) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

}  // namespace

STDAPI_(LSTATUS) RegCreateKeyExW(HKEY hKey, LPCOLESTR lpSubKey, DWORD, LPOLESTR, DWORD, REGSAM samDesired, void *,
                                 PHKEY phkResult, DWORD *lpdwDisposition)
{
    return guarded([&]() -> LSTATUS {
        if (!phkResult || !lpSubKey)
            return ERROR_INVALID_PARAMETER;
        *phkResult = nullptr;
        open_key base;
        if (!lookup_handle(hKey, &base))
            return ERROR_INVALID_HANDLE;
        key_path sub;
        if (LSTATUS status = split_subkey(lpSubKey, &sub); status != ERROR_SUCCESS)
            return status;
        if (!sub.empty() && !(base.access & KEY_CREATE_SUB_KEY))
            return ERROR_ACCESS_DENIED;
        key_path stored;
        bool created = false;
        LSTATUS status = update_registry([&](key &root, bool &changed) -> LSTATUS {
            key *b = find_key(root, base.path);
            if (!b)
                return OLEAUT_ERROR_KEY_DELETED;
            key_path sub_stored;
            create_key(*b, sub, &created, &sub_stored);
            stored = concat(base.path, sub_stored);
            changed = created;
            return ERROR_SUCCESS;
        });
        if (status != ERROR_SUCCESS)
            return status;
        *phkResult = open_handle({std::move(stored), samDesired});
        if (lpdwDisposition)
            *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    });
}

STDAPI_(LSTATUS) RegOpenKeyExW(HKEY hKey, LPCOLESTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
    return guarded([&]() -> LSTATUS {
        if (!phkResult)
            return ERROR_INVALID_PARAMETER;
        *phkResult = nullptr;
        open_key base;
        if (!lookup_handle(hKey, &base))
            return ERROR_INVALID_HANDLE;
        key_path sub;
        if (LSTATUS status = split_subkey(lpSubKey, &sub); status != ERROR_SUCCESS)
            return status;
        key root;
        if (LSTATUS status = read_registry(root); status != ERROR_SUCCESS)
            return status;
        key *b = find_key(root, base.path);
        if (!b)
            return OLEAUT_ERROR_KEY_DELETED;
        key_path stored = base.path;
        for (const auto &name : sub) {
            auto it = b->subkeys.find(name);
            if (it == b->subkeys.end())
                return ERROR_FILE_NOT_FOUND;
            stored.push_back(it->first);
            b = it->second.get();
        }
        *phkResult = open_handle({std::move(stored), samDesired});
        return ERROR_SUCCESS;
    });
}

STDAPI_(LSTATUS) RegSetValueExW(HKEY hKey, LPCOLESTR lpValueName, DWORD, DWORD dwType, const BYTE *lpData,
                                DWORD cbData)
{
    return guarded([&]() -> LSTATUS {
        open_key base;
        if (!lookup_handle(hKey, &base))
            return ERROR_INVALID_HANDLE;
        if (!(base.access & KEY_SET_VALUE))
            return ERROR_ACCESS_DENIED;
        if ((!lpData && cbData) || !value_name_ok(lpValueName))
            return ERROR_INVALID_PARAMETER;
        value v{dwType, std::vector<BYTE>(lpData, lpData + cbData)};
        // A string's size must include its terminating NUL; one left out is supplied,
        // so that every reader gets a terminated string back.
        bool is_string = dwType == REG_SZ || dwType == REG_EXPAND_SZ;
        size_t n = v.data.size();
        if (is_string && n % 2 == 0 && (n == 0 || v.data[n - 1] != 0 || v.data[n - 2] != 0))
            v.data.insert(v.data.end(), {0, 0});
        std::u16string name = lpValueName ? std::u16string(lpValueName) : std::u16string();
        return update_registry([&](key &root, bool &changed) -> LSTATUS {
            key *k = find_key(root, base.path);
            if (!k)
                return OLEAUT_ERROR_KEY_DELETED;
            auto it = k->values.find(name);
            if (it != k->values.end() && it->second == v)
                return ERROR_SUCCESS;
            if (it != k->values.end())
                it->second = v;  // the name keeps the case it was first written with
            else
                k->values.emplace(name, v);
            changed = true;
            return ERROR_SUCCESS;
        });
    });
}

STDAPI_(LSTATUS) RegQueryValueExW(HKEY hKey, LPCOLESTR lpValueName, DWORD *lpReserved, DWORD *lpType, BYTE *lpData,
                                  DWORD *lpcbData)
{
    return guarded([&]() -> LSTATUS {
        if (lpReserved || (lpData && !lpcbData) || !value_name_ok(lpValueName))
            return ERROR_INVALID_PARAMETER;
        open_key base;
        if (!lookup_handle(hKey, &base))
            return ERROR_INVALID_HANDLE;
        if (!(base.access & KEY_QUERY_VALUE))
            return ERROR_ACCESS_DENIED;
        key root;
        if (LSTATUS status = read_registry(root); status != ERROR_SUCCESS)
            return status;
        const key *k = find_key(root, base.path);
        if (!k)
            return OLEAUT_ERROR_KEY_DELETED;
        auto it = k->values.find(lpValueName ? std::u16string_view(lpValueName) : std::u16string_view());
        if (it == k->values.end())
            return ERROR_FILE_NOT_FOUND;
        const value &v = it->second;
        if (lpType)
            *lpType = v.type;
        if (!lpcbData)
            return ERROR_SUCCESS;
        DWORD size = static_cast<DWORD>(v.data.size());
        DWORD room = *lpcbData;
        *lpcbData = size;
        if (!lpData)
            return ERROR_SUCCESS;
        if (room < size)
            return ERROR_MORE_DATA;
        if (size)
            std::memcpy(lpData, v.data.data(), size);
        return ERROR_SUCCESS;
    });
}

STDAPI_(LSTATUS) RegDeleteTreeW(HKEY hKey, LPCOLESTR lpSubKey)
{
    return guarded([&]() -> LSTATUS {
        open_key base;
        if (!lookup_handle(hKey, &base))
            return ERROR_INVALID_HANDLE;
        key_path sub;
        if (LSTATUS status = split_subkey(lpSubKey, &sub); status != ERROR_SUCCESS)
            return status;
        return update_registry([&](key &root, bool &changed) -> LSTATUS {
            key *b = find_key(root, base.path);
            if (!b)
                return OLEAUT_ERROR_KEY_DELETED;
            if (sub.empty()) {
                // No subkey: the key itself stays, everything in it goes.
                changed = !b->values.empty() || !b->subkeys.empty();
                b->values.clear();
                b->subkeys.clear();
                return ERROR_SUCCESS;
            }
            if (!erase_key(*b, sub))
                return ERROR_FILE_NOT_FOUND;
            changed = true;
            return ERROR_SUCCESS;
        });
    });
}

STDAPI_(LSTATUS) RegCloseKey(HKEY hKey) { return close_handle(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }
