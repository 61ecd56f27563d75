// ProgID <-> CLSID through the registry: HKCR\<ProgID>\CLSID and HKCR\CLSID\{clsid}\ProgID.
#include <cstring>
#include <new>

#include "errors/activation_error_info.h"
#include "registry/activation_names.h"
#include "oleaut/utf.hpp"
#include "registry/registry_lookup.h"
#include "registry/registry_text.h"

using namespace oleaut::detail;

namespace {

HRESULT fail(HRESULT hr, const std::string &description)
{
    publish_error_info(kActivationSource, description);
    return hr;
}

HRESULT clsid_from_progid(std::u16string_view progid, CLSID *clsid)
{
    std::string name = oleaut::utf16_to_utf8(progid);
    if (!oleaut::registry::is_storable_key_name(progid))
        return fail(CO_E_CLASSSTRING, "'" + name + "' cannot be a ProgID: it is empty, too long, or holds a "
                                                   "backslash or control character.");
    std::u16string text;
    LSTATUS status = oleaut::registry::read_string_value({std::u16string(progid), u"CLSID"}, u"", &text);
    if (status == ERROR_FILE_NOT_FOUND) {
        // A version-independent ProgID names its current version in CurVer.
        std::u16string current;
        LSTATUS cur = oleaut::registry::read_string_value({std::u16string(progid), u"CurVer"}, u"", &current);
        if (cur == ERROR_SUCCESS && !current.empty() && !oleaut::registry::names_equal(current, progid))
            status = oleaut::registry::read_string_value({current, u"CLSID"}, u"", &text);
        else if (cur != ERROR_SUCCESS && cur != ERROR_FILE_NOT_FOUND && cur != OLEAUT_ERROR_INVALID_DATA)
            status = cur;
    }
    if (status == ERROR_FILE_NOT_FOUND || status == OLEAUT_ERROR_INVALID_DATA)
        return fail(CO_E_CLASSSTRING, "ProgID '" + name + "' is not registered: " + registry_file_phrase() +
                                          " has no class identifier under HKEY_CLASSES_ROOT\\" + name +
                                          "\\CLSID. Register its server with regsvr.");
    if (status != ERROR_SUCCESS)
        return REGDB_E_READREGDB;  // the registry has published why
    // The strict parse: CLSIDFromString would take a non-GUID for another ProgID.
    if (FAILED(IIDFromString(text.c_str(), clsid)))
        return fail(CO_E_CLASSSTRING, "ProgID '" + name + "' is registered wrongly: HKEY_CLASSES_ROOT\\" + name +
                                          "\\CLSID holds '" + oleaut::utf16_to_utf8(text) +
                                          "', which is not a class identifier like {00000000-0000-0000-0000-000000000000}.");
    return S_OK;
}

HRESULT progid_from_clsid(REFCLSID clsid, LPOLESTR *out)
{
    std::u16string key = guid_key_name(clsid);
    std::u16string progid;
    LSTATUS status = oleaut::registry::read_string_value({u"CLSID", key, u"ProgID"}, u"", &progid);
    if (status == ERROR_FILE_NOT_FOUND || status == OLEAUT_ERROR_INVALID_DATA ||
        (status == ERROR_SUCCESS && progid.empty())) {
        std::string k = oleaut::utf16_to_utf8(key);
        return fail(REGDB_E_CLASSNOTREG, "Class " + k + " has no ProgID: " + registry_file_phrase() +
                                             " has no name under HKEY_CLASSES_ROOT\\CLSID\\" + k + "\\ProgID.");
    }
    if (status != ERROR_SUCCESS)
        return REGDB_E_READREGDB;
    size_t bytes = (progid.size() + 1) * sizeof(OLECHAR);
    auto *copy = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!copy)
        return E_OUTOFMEMORY;
    std::memcpy(copy, progid.c_str(), bytes);
    *out = copy;
    return S_OK;
}

}  // namespace

STDAPI CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid)
{
    if (!lpszProgID || !lpclsid)
        return E_INVALIDARG;
    try {
        return clsid_from_progid(lpszProgID, lpclsid);
    } catch (const std::bad_alloc &) {
        return E_OUTOFMEMORY;
    }
}

STDAPI ProgIDFromCLSID(REFCLSID clsid, LPOLESTR *lplpszProgID)
{
    if (!lplpszProgID)
        return E_INVALIDARG;
    *lplpszProgID = nullptr;
    try {
        return progid_from_clsid(clsid, lplpszProgID);
    } catch (const std::bad_alloc &) {
        return E_OUTOFMEMORY;
    }
}
