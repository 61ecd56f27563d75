// ITypeLib over a library description: the listed types in the library's order, their
// attributes and documentation, and lookups by index and GUID.
#include <memory>
#include <type_traits>

#include "type_descriptors.hpp"
#include "type_errors.hpp"
#include "type_info_kinds.hpp"
#include "type_library.hpp"
#include "type_library_build.hpp"

namespace oleaut::disp {

type_library::type_library(const library_info &desc)
    : type_family(desc.lcid, desc.major, desc.minor), desc_(desc)
{
}

void type_library::build()
{
    for (size_t i = 0; i < desc_.types.size(); ++i) {
        type_info_base *made = std::visit(
            [&](auto *d) -> type_info_base * {
                using D = std::remove_cv_t<std::remove_pointer_t<decltype(d)>>;
                if (!d)
                    return nullptr;
                if constexpr (std::is_same_v<D, interface_info>)
                    return &own<dispatch_type_info>(*d, function_form::dispatch);
                else if constexpr (std::is_same_v<D, coclass_info>)
                    return &own<coclass_type_info>(*d);
                else
                    return &own<enum_type_info>(*d);
            },
            desc_.types[i]);
        if (!made)
            throw com_error(E_INVALIDARG, desc_.name,
                            u"The library's type entry " + utf8_to_utf16(std::to_string(i)) +
                                u" is a null description.");
        made->set_library_entry(made);
        listed_.push_back(made);
    }
    // Linking comes second: a member may name any type of the library, wherever it is listed.
    for (type_info_base *t : listed_) {
        if (auto *iface = dynamic_cast<dispatch_type_info *>(t)) {
            iface->link();
        } else if (auto *cls = dynamic_cast<coclass_type_info *>(t)) {
            dispatch_type_info *listed_default = nullptr;
            for (type_info_base *candidate : listed_)
                if (auto *d = dynamic_cast<dispatch_type_info *>(candidate))
                    if (&d->description() == cls->description().default_interface)
                        listed_default = d;
            cls->link(listed_default);
        }
    }
}

HRESULT STDMETHODCALLTYPE type_library::GetTypeInfo(UINT index, ITypeInfo **ppTInfo)
try {
    if (!ppTInfo)
        return fail(E_INVALIDARG, "GetTypeInfo was given no place for the type.");
    *ppTInfo = nullptr;
    if (index >= listed_.size())
        return no_such_index("GetTypeInfo", index);
    listed_[index]->AddRef();
    *ppTInfo = listed_[index];
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

HRESULT STDMETHODCALLTYPE type_library::GetTypeInfoType(UINT index, TYPEKIND *pTKind)
try {
    if (!pTKind)
        return fail(E_INVALIDARG, "GetTypeInfoType was given no place for the kind.");
    if (index >= listed_.size())
        return no_such_index("GetTypeInfoType", index);
    *pTKind = listed_[index]->kind();
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

HRESULT STDMETHODCALLTYPE type_library::GetTypeInfoOfGuid(REFGUID guid, ITypeInfo **ppTinfo)
try {
    if (!ppTinfo)
        return fail(E_INVALIDARG, "GetTypeInfoOfGuid was given no place for the type.");
    *ppTinfo = nullptr;
    for (type_info_base *t : listed_) {
        if (IsEqualGUID(t->guid(), guid)) {
            t->AddRef();
            *ppTinfo = t;
            return S_OK;
        }
    }
    OLECHAR text[40] = {};
    StringFromGUID2(guid, text, 40);
    return fail(TYPE_E_ELEMENTNOTFOUND, "The library lists no type with the GUID " + name_utf8(text) + ".");
} catch (...) {
    return hresult_from_exception();
}

HRESULT STDMETHODCALLTYPE type_library::GetLibAttr(TLIBATTR **ppTLibAttr)
try {
    if (!ppTLibAttr)
        return fail(E_INVALIDARG, "GetLibAttr was given no place for the attributes.");
    TLIBATTR attr{};
    attr.guid = desc_.guid;
    attr.lcid = desc_.lcid;
    attr.syskind = SYS_WIN32;  // the platform whose libraries this one imitates
    attr.wMajorVerNum = desc_.major;
    attr.wMinorVerNum = desc_.minor;
    attr.wLibFlags = 0;
    *ppTLibAttr = new_lib_attr(attr);
    return S_OK;
} catch (...) {
    return hresult_from_exception();
}

void STDMETHODCALLTYPE type_library::ReleaseTLibAttr(TLIBATTR *pTLibAttr) { free_descriptor(pTLibAttr); }

HRESULT STDMETHODCALLTYPE type_library::GetTypeComp(ITypeComp **ppTComp)
try {
    if (ppTComp)
        *ppTComp = nullptr;
    return fail(E_NOTIMPL, "ITypeLib::GetTypeComp is not available: this library offers no binding "
                           "interface; use FindName or GetTypeInfoOfGuid.");
} catch (...) {
    return hresult_from_exception();
}

HRESULT STDMETHODCALLTYPE type_library::GetDocumentation(INT index, BSTR *pBstrName, BSTR *pBstrDocString,
                                                         DWORD *pdwHelpContext, BSTR *pBstrHelpFile)
try {
    std::u16string_view name;
    const char16_t *doc = nullptr;
    if (index == -1) {
        name = desc_.name;
        doc = desc_.doc;
    } else if (index >= 0 && static_cast<size_t>(index) < listed_.size()) {
        name = listed_[index]->name();
        doc = listed_[index]->doc();
    } else {
        return no_such_index("GetDocumentation", static_cast<UINT>(index));
    }
    return answer_documentation(name, doc, pBstrName, pBstrDocString, pdwHelpContext, pBstrHelpFile);
} catch (...) {
    return hresult_from_exception();
}

HRESULT type_library::containing_library(const type_info_base &type, ITypeLib **lib, UINT *index)
{
    std::optional<UINT> at = index_of(type.library_entry());
    if (!at)
        return type_family::containing_library(type, lib, index);
    if (!lib)
        return type_failure(E_INVALIDARG, type.name(), "GetContainingTypeLib was given no place for the library.");
    AddRef();
    *lib = this;
    if (index)
        *index = *at;
    return S_OK;
}

type_info_base *type_library::find_listed(std::u16string_view name, TYPEKIND wanted) const
{
    for (type_info_base *t : listed_)
        if (names_equal(t->name(), name) && (t->kind() == TKIND_ENUM) == (wanted == TKIND_ENUM))
            return t;
    return nullptr;
}

std::optional<UINT> type_library::index_of(const type_info_base *entry) const noexcept
{
    for (size_t i = 0; i < listed_.size(); ++i)
        if (listed_[i] == entry)
            return static_cast<UINT>(i);
    return std::nullopt;
}

HRESULT type_library::fail(HRESULT hr, std::string_view description) const
{
    return type_failure(hr, desc_.name, description);
}

HRESULT type_library::no_such_index(const char *method, UINT index) const
{
    return fail(TYPE_E_ELEMENTNOTFOUND, std::string(method) + ": the library has no type at index " +
                                            std::to_string(static_cast<INT>(index)) + "; it lists " +
                                            std::to_string(listed_.size()) + ".");
}

com_ptr<ITypeLib> build_type_library(const library_info &lib)
{
    auto made = std::make_unique<type_library>(lib);
    made->build();
    // From here the library lives by its reference count, which the com_ptr starts.
    return com_ptr<ITypeLib>(static_cast<ITypeLib *>(made.release()));
}

com_ptr<ITypeLib> build_type_library(std::shared_ptr<const library_info> lib)
{
    if (!lib)
        throw com_error(E_POINTER, u"make_type_library", u"No library description was given.");
    auto made = std::make_unique<type_library>(*lib);
    made->keep_alive(std::move(lib));
    made->build();
    return com_ptr<ITypeLib>(static_cast<ITypeLib *>(made.release()));
}

}  // namespace oleaut::disp
