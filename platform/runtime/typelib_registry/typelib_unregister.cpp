// UnRegisterTypeLib: removes what RegisterTypeLib wrote for one version, locale and
// system kind, in one registry transaction. The interfaces are found through the
// registry (Interface keys whose TypeLib names this library and version), so the
// library file need not exist any more. Keys are removed only when nothing of another
// registration is left in them: the version key while another locale or system kind
// of it is registered, and the library key while another version is.
#include "registry/activation_names.h"
#include "oleaut.h"
#include "oleaut/utf.hpp"
#include "registry/registry_file.h"
#include "typelib_registry_keys.h"

using namespace oleaut;
using namespace oleaut::detail;

namespace {

// The version key's own subkeys; any other subkey is a locale.
bool is_version_detail(std::u16string_view name)
{
    return registry::names_equal(name, u"FLAGS") || registry::names_equal(name, u"HELPDIR");
}

std::optional<std::u16string> default_text(const registry::key &k)
{
    auto it = k.values.find(std::u16string_view());
    return it == k.values.end() ? std::nullopt : string_of(it->second);
}

// Whether Interface\{IID} was registered for this library and version.
bool belongs_to(const registry::key &iface, std::u16string_view libid, std::u16string_view version)
{
    auto typelib = iface.subkeys.find(std::u16string_view(u"TypeLib"));
    if (typelib == iface.subkeys.end())
        return false;
    const auto id = default_text(*typelib->second);
    auto v = typelib->second->values.find(std::u16string_view(u"Version"));
    const auto registered = v == typelib->second->values.end() ? std::nullopt : string_of(v->second);
    return id && registered && registry::names_equal(*id, libid) && registry::names_equal(*registered, version);
}

registry::key_path child(registry::key_path path, std::u16string name)
{
    path.push_back(std::move(name));
    return path;
}

}  // namespace

STDAPI UnRegisterTypeLib(REFGUID libID, WORD wVerMajor, WORD wVerMinor, LCID lcid, SYSKIND syskind)
{
    const char16_t *platform = platform_key_name(syskind);
    if (!platform)
        return typelib_failure(E_INVALIDARG, "UnRegisterTypeLib was given the system kind " +
                                                 std::to_string(static_cast<int>(syskind)) + ", which has no key.");
    try {
        const std::u16string libid = guid_key_name(libID);
        const std::u16string version = version_key_name(wVerMajor, wVerMinor);
        const registry::key_path library_path = typelib_key_path(libID);
        std::string missing;

        const LSTATUS status = registry::update_registry([&](registry::key &root, bool &changed) -> LSTATUS {
            registry::key *library = registry::find_key(root, library_path);
            registry::key *version_key = registry::find_key(root, child(library_path, version));
            if (!library || !version_key) {
                missing = "TypeLib\\" + utf16_to_utf8(libid) + "\\" + utf16_to_utf8(version);
                return ERROR_FILE_NOT_FOUND;
            }
            const std::u16string locale = lcid_key_name(lcid);
            auto locale_at = version_key->subkeys.find(locale);
            if (locale_at == version_key->subkeys.end() || !locale_at->second->subkeys.erase(platform)) {
                missing = "TypeLib\\" + utf16_to_utf8(libid) + "\\" + utf16_to_utf8(version) + "\\" +
                          utf16_to_utf8(locale) + "\\" + utf16_to_utf8(platform);
                return ERROR_FILE_NOT_FOUND;
            }
            changed = true;
            if (locale_at->second->subkeys.empty())
                version_key->subkeys.erase(locale_at);
            for (const auto &[name, sub] : version_key->subkeys)
                if (!is_version_detail(name))
                    return ERROR_SUCCESS;  // another locale of this version is still registered

            library->subkeys.erase(version);
            if (library->subkeys.empty())
                registry::erase_key(root, library_path);
            if (registry::key *interfaces = registry::find_key(root, {u"Interface"})) {
                for (auto it = interfaces->subkeys.begin(); it != interfaces->subkeys.end();) {
                    if (belongs_to(*it->second, libid, version))
                        it = interfaces->subkeys.erase(it);
                    else
                        ++it;
                }
            }
            return ERROR_SUCCESS;
        });
        if (status == ERROR_FILE_NOT_FOUND)
            return typelib_failure(TYPE_E_LIBNOTREGISTERED, "UnRegisterTypeLib: " + registry_file_phrase() +
                                                                " has no key HKEY_CLASSES_ROOT\\" + missing +
                                                                ", so there is nothing to remove.");
        if (status != ERROR_SUCCESS)
            return TYPE_E_REGISTRYACCESS;  // the registry has published why
        return S_OK;
    } catch (const std::bad_alloc &) {
        return typelib_failure(E_OUTOFMEMORY, "UnRegisterTypeLib ran out of memory.");
    }
}
