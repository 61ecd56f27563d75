// QueryPathOfRegTypeLib and LoadRegTypeLib: finding a registered type library's file
// by LIBID, version and locale, with Windows' rules:
//   - the major version must match; of the minor versions registered, the one asked
//     for wins, else the greatest one above it;
//   - the locale asked for wins, else its primary language alone, else the neutral
//     locale 0;
//   - the 64-bit registration wins over the 32-bit one.
#include "registry/activation_names.h"
#include "oleaut.h"
#include "oleaut/utf.hpp"
#include "registry/registry_file.h"
#include "typelib_registry_keys.h"

using namespace oleaut;
using namespace oleaut::detail;

namespace {

std::string utf8(std::u16string_view s) { return utf16_to_utf8(s); }

const registry::key *best_version(const registry::key &library, WORD major, WORD minor, std::u16string *chosen)
{
    const registry::key *best = nullptr;
    WORD best_minor = 0;
    for (const auto &[name, sub] : library.subkeys) {
        const auto v = parse_version_key_name(name);
        if (!v || v->major != major || v->minor < minor)
            continue;
        const bool exact = v->minor == minor;
        if (!best || exact || (best_minor != minor && v->minor > best_minor)) {
            best = sub.get();
            best_minor = v->minor;
            *chosen = name;
        }
    }
    return best;
}

const registry::key *best_locale(const registry::key &version, LCID lcid)
{
    for (LCID candidate : {lcid, static_cast<LCID>(lcid & 0x3FF), LCID{0}}) {
        auto it = version.subkeys.find(lcid_key_name(candidate));
        if (it != version.subkeys.end())
            return it->second.get();
    }
    return nullptr;
}

std::string registered_versions(const registry::key &library)
{
    std::string list;
    for (const auto &[name, sub] : library.subkeys)
        if (parse_version_key_name(name))
            list += (list.empty() ? "" : ", ") + utf8(name);
    return list.empty() ? "none" : list;
}

// The registered file; answers the failure (published) when there is none.
HRESULT registered_path(REFGUID guid, WORD major, WORD minor, LCID lcid, std::u16string *path)
{
    registry::key root;
    if (registry::read_registry(root) != ERROR_SUCCESS)
        return TYPE_E_REGISTRYACCESS;  // the registry has published why
    const std::u16string libid = guid_key_name(guid);
    const std::string wanted = "type library " + utf8(libid) + " version " + utf8(version_key_name(major, minor)) +
                               " (hexadecimal, as registered)";
    const registry::key *library = registry::find_key(root, typelib_key_path(guid));
    if (!library)
        return typelib_failure(TYPE_E_LIBNOTREGISTERED, "The " + wanted + " is not registered: " +
                                                            registry_file_phrase() + " has no key HKEY_CLASSES_ROOT\\TypeLib\\" +
                                                            utf8(libid) + ".");
    std::u16string version_name;
    const registry::key *version = best_version(*library, major, minor, &version_name);
    if (!version)
        return typelib_failure(TYPE_E_LIBNOTREGISTERED, "The " + wanted + " is not registered; the versions " +
                                                            registry_file_phrase() + " lists are: " +
                                                            registered_versions(*library) + ".");
    const registry::key *locale = best_locale(*version, lcid);
    if (!locale)
        return typelib_failure(TYPE_E_LIBNOTREGISTERED, "The " + wanted + " is not registered for locale " +
                                                            std::to_string(lcid) + ", its language or the neutral "
                                                                                   "locale 0.");
    for (SYSKIND kind : {SYS_WIN64, SYS_WIN32}) {
        auto it = locale->subkeys.find(platform_key_name(kind));
        if (it == locale->subkeys.end())
            continue;
        auto value = it->second->values.find(std::u16string_view());
        const auto text = value == it->second->values.end() ? std::nullopt : string_of(value->second);
        if (!text || text->empty())
            return typelib_failure(TYPE_E_REGISTRYACCESS,
                                   "The " + wanted + " is registered without a file: HKEY_CLASSES_ROOT\\TypeLib\\" +
                                       utf8(libid) + "\\" + utf8(version_name) + "\\...\\" +
                                       utf8(platform_key_name(kind)) + " holds no path.");
        *path = *text;
        return S_OK;
    }
    return typelib_failure(TYPE_E_LIBNOTREGISTERED,
                           "The " + wanted + " is registered for neither win32 nor win64 under its locale key.");
}

}  // namespace

STDAPI QueryPathOfRegTypeLib(REFGUID guid, USHORT wMaj, USHORT wMin, LCID lcid, LPBSTR lpbstrPathName)
{
    if (!lpbstrPathName)
        return typelib_failure(E_INVALIDARG, "QueryPathOfRegTypeLib was given no place for the path.");
    *lpbstrPathName = nullptr;
    try {
        std::u16string path;
        if (HRESULT hr = registered_path(guid, wMaj, wMin, lcid, &path); FAILED(hr))
            return hr;
        *lpbstrPathName = SysAllocStringLen(path.data(), static_cast<UINT>(path.size()));
        return *lpbstrPathName ? S_OK : E_OUTOFMEMORY;
    } catch (const std::bad_alloc &) {
        return typelib_failure(E_OUTOFMEMORY, "QueryPathOfRegTypeLib ran out of memory.");
    }
}

STDAPI LoadRegTypeLib(REFGUID rguid, WORD wVerMajor, WORD wVerMinor, LCID lcid, ITypeLib **pptlib)
{
    if (!pptlib)
        return typelib_failure(E_INVALIDARG, "LoadRegTypeLib was given no place for the library.");
    *pptlib = nullptr;
    try {
        std::u16string path;
        if (HRESULT hr = registered_path(rguid, wVerMajor, wVerMinor, lcid, &path); FAILED(hr))
            return hr;
        return LoadTypeLibEx(path.c_str(), REGKIND_NONE, pptlib);
    } catch (const std::bad_alloc &) {
        return typelib_failure(E_OUTOFMEMORY, "LoadRegTypeLib ran out of memory.");
    }
}
