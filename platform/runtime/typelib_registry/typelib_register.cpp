// RegisterTypeLib: the library's keys under TypeLib and, for every interface a client
// may call through the automation marshaler (dispinterfaces, dual and
// automation-compatible interfaces), its key under Interface. Everything is read from
// the ITypeLib first and then written in one registry transaction, so a failure leaves
// the registry as it was.
#include <vector>

#include "registry/activation_names.h"
#include "oleaut.h"
#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"
#include "oleaut/utf.hpp"
#include "registry/registry_file.h"
#include "typelib_registry_keys.h"

using namespace oleaut;
using namespace oleaut::detail;

namespace {

// The automation marshalers: one for dual and automation-compatible interfaces
// (PSOAInterface), one for pure dispinterfaces (PSDispatch).
constexpr GUID kOleAutomationProxy = {0x00020424, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kDispatchProxy = {0x00020420, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

struct interface_entry {
    GUID iid;
    std::u16string name;
    GUID proxy;
};

struct library_entry {
    TLIBATTR attr{};
    std::u16string description;  // the doc string, else the name
    std::vector<interface_entry> interfaces;
};

// What registration needs, read through ITypeLib only. Answers the failing HRESULT
// (with error info published) if the library cannot answer.
HRESULT read_library(ITypeLib *lib, library_entry *out)
{
    TLIBATTR *attr = nullptr;
    if (HRESULT hr = lib->GetLibAttr(&attr); FAILED(hr))
        return typelib_failure(hr == E_OUTOFMEMORY ? hr : TYPE_E_INVALIDSTATE,
                               "RegisterTypeLib: the library did not give its attributes.");
    out->attr = *attr;
    lib->ReleaseTLibAttr(attr);

    bstr name, doc;
    if (FAILED(lib->GetDocumentation(-1, name.put(), doc.put(), nullptr, nullptr)))
        return typelib_failure(TYPE_E_INVALIDSTATE, "RegisterTypeLib: the library did not give its name.");
    out->description = doc.length() ? doc.str() : name.str();

    const UINT count = lib->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        com_ptr<ITypeInfo> type;
        TYPEATTR *type_attr = nullptr;
        if (FAILED(lib->GetTypeInfo(i, type.put())) || FAILED(type->GetTypeAttr(&type_attr)))
            return typelib_failure(TYPE_E_INVALIDSTATE, "RegisterTypeLib: the library did not describe its type " +
                                                            std::to_string(i) + ".");
        const TYPEKIND kind = type_attr->typekind;
        const WORD flags = type_attr->wTypeFlags;
        const GUID iid = type_attr->guid;
        type->ReleaseTypeAttr(type_attr);

        const bool automation = flags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION);
        if (kind != TKIND_DISPATCH && !(kind == TKIND_INTERFACE && automation))
            continue;
        bstr type_name;
        if (FAILED(lib->GetDocumentation(static_cast<INT>(i), type_name.put(), nullptr, nullptr, nullptr)))
            return typelib_failure(TYPE_E_INVALIDSTATE,
                                   "RegisterTypeLib: the library did not name its type " + std::to_string(i) + ".");
        out->interfaces.push_back({iid, type_name.str(), automation ? kOleAutomationProxy : kDispatchProxy});
    }
    return S_OK;
}

void set_default(registry::key &root, const registry::key_path &path, std::u16string_view text)
{
    registry::create_key(root, path, nullptr, nullptr).values[u""] = string_value(text);
}

registry::key_path child(registry::key_path path, std::u16string name)
{
    path.push_back(std::move(name));
    return path;
}

}  // namespace

STDAPI RegisterTypeLib(ITypeLib *ptlib, LPCOLESTR szFullPath, LPCOLESTR szHelpDir)
{
    if (!ptlib)
        return typelib_failure(E_INVALIDARG, "RegisterTypeLib was given no type library.");
    if (!szFullPath || !*szFullPath)
        return typelib_failure(E_INVALIDARG, "RegisterTypeLib was given no path for the library file.");
    try {
        library_entry lib;
        if (HRESULT hr = read_library(ptlib, &lib); FAILED(hr))
            return hr;
        const char16_t *platform = platform_key_name(lib.attr.syskind);
        if (!platform)
            return typelib_failure(E_INVALIDARG, "RegisterTypeLib: the library is built for system kind " +
                                                     std::to_string(static_cast<int>(lib.attr.syskind)) +
                                                     ", which has no registry key.");
        const std::u16string libid = guid_key_name(lib.attr.guid);
        const std::u16string version = version_key_name(lib.attr.wMajorVerNum, lib.attr.wMinorVerNum);
        const registry::key_path version_path = child(typelib_key_path(lib.attr.guid), version);

        const LSTATUS status = registry::update_registry([&](registry::key &root, bool &changed) -> LSTATUS {
            set_default(root, version_path, lib.description);
            set_default(root, child(child(version_path, lcid_key_name(lib.attr.lcid)), platform), szFullPath);
            set_default(root, child(version_path, u"FLAGS"), utf8_to_utf16(std::to_string(lib.attr.wLibFlags)));
            set_default(root, child(version_path, u"HELPDIR"), szHelpDir ? szHelpDir : u"");
            for (const interface_entry &iface : lib.interfaces) {
                const registry::key_path path = interface_key_path(iface.iid);
                set_default(root, path, iface.name);
                set_default(root, child(path, u"ProxyStubClsid"), guid_key_name(iface.proxy));
                set_default(root, child(path, u"ProxyStubClsid32"), guid_key_name(iface.proxy));
                set_default(root, child(path, u"TypeLib"), libid);
                registry::create_key(root, child(path, u"TypeLib"), nullptr, nullptr).values[u"Version"] =
                    string_value(version);
            }
            changed = true;
            return ERROR_SUCCESS;
        });
        if (status != ERROR_SUCCESS)
            return TYPE_E_REGISTRYACCESS;  // the registry has published why
        return S_OK;
    } catch (const std::bad_alloc &) {
        return typelib_failure(E_OUTOFMEMORY, "RegisterTypeLib ran out of memory.");
    }
}
