// The library, its enumerations and classes compared with the description; interfaces
// are compared in type_library_check_members.cpp.
#include "automation/type_library_check.hpp"

#include <variant>

#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"

namespace quillet {

namespace {

using namespace check;

struct attributes {
    TYPEKIND kind = TKIND_MAX;
    WORD flags = 0;
    UINT vars = 0;
    UINT impls = 0;
};

attributes attributes_of(ITypeInfo *t)
{
    TYPEATTR *attr = nullptr;
    if (FAILED(t->GetTypeAttr(&attr)))
        return {};
    const attributes out{attr->typekind, attr->wTypeFlags, attr->cVars, attr->cImplTypes};
    t->ReleaseTypeAttr(attr);
    return out;
}

// The type an implemented-type index refers to (-1: a dual interface's other side).
oleaut::com_ptr<ITypeInfo> implemented(ITypeInfo *t, UINT index)
{
    HREFTYPE ref = 0;
    oleaut::com_ptr<ITypeInfo> out;
    if (SUCCEEDED(t->GetRefTypeOfImplType(index, &ref)))
        t->GetRefTypeInfo(ref, out.put());
    return out;
}

void compare_library(ITypeLib *lib, const oleaut::disp::library_info &want, std::vector<std::string> &out)
{
    oleaut::bstr name;
    lib->GetDocumentation(-1, name.put(), nullptr, nullptr, nullptr);
    if (name.view() != oleaut::ostring_view(want.name))
        out.push_back("library: named " + name.utf8() + ", the description says " + oleaut::utf16_to_utf8(want.name));
    TLIBATTR *attr = nullptr;
    if (FAILED(lib->GetLibAttr(&attr))) {
        out.push_back("library: no attributes");
        return;
    }
    if (!IsEqualGUID(attr->guid, want.guid))
        out.push_back("library: another GUID than the description's");
    if (attr->wMajorVerNum != want.major || attr->wMinorVerNum != want.minor)
        out.push_back("library: version " + std::to_string(attr->wMajorVerNum) + "." +
                      std::to_string(attr->wMinorVerNum) + ", the description says " + std::to_string(want.major) +
                      "." + std::to_string(want.minor));
    if (attr->lcid != want.lcid)
        out.push_back("library: locale " + std::to_string(attr->lcid) + ", the description says " +
                      std::to_string(want.lcid));
    lib->ReleaseTLibAttr(attr);
}

void compare_enum(ITypeInfo *found, const oleaut::disp::enum_info &want, std::vector<std::string> &out)
{
    const std::string name = oleaut::utf16_to_utf8(want.name);
    oleaut::com_ptr<ITypeInfo> t(found);
    // A typedef of an enumeration may be what carries the GUID; its constants are the
    // enumeration's.
    if (attributes_of(t.get()).kind == TKIND_ALIAS) {
        TYPEATTR *attr = nullptr;
        oleaut::com_ptr<ITypeInfo> aliased;
        if (SUCCEEDED(t->GetTypeAttr(&attr))) {
            if (attr->tdescAlias.vt == VT_USERDEFINED)
                t->GetRefTypeInfo(attr->tdescAlias.hreftype, aliased.put());
            t->ReleaseTypeAttr(attr);
        }
        if (aliased)
            t = aliased;
    }
    const attributes a = attributes_of(t.get());
    if (a.kind != TKIND_ENUM) {
        out.push_back(name + ": not an enumeration");
        return;
    }
    if (a.vars != want.constants.size())
        out.push_back(name + ": " + std::to_string(a.vars) + " constants, the description has " +
                      std::to_string(want.constants.size()));
    for (UINT i = 0; i < a.vars && i < want.constants.size(); ++i) {
        VARDESC *v = nullptr;
        if (FAILED(t->GetVarDesc(i, &v)))
            continue;
        const std::string got = name_of(t.get(), v->memid);
        const std::string expected = oleaut::utf16_to_utf8(want.constants[i].name);
        const LONG value = v->lpvarValue && v->lpvarValue->vt == VT_I4 ? v->lpvarValue->lVal
                           : v->lpvarValue && v->lpvarValue->vt == VT_I2 ? v->lpvarValue->iVal
                                                                       : 0;
        if (got != expected || value != want.constants[i].value)
            out.push_back(name + " constant " + std::to_string(i) + ": " + got + " = " + std::to_string(value) +
                          ", the description says " + expected + " = " + std::to_string(want.constants[i].value));
        t->ReleaseVarDesc(v);
    }
}

void compare_class(ITypeInfo *t, const oleaut::disp::coclass_info &want, std::vector<std::string> &out)
{
    const std::string name = oleaut::utf16_to_utf8(want.name);
    const attributes a = attributes_of(t);
    if (a.kind != TKIND_COCLASS) {
        out.push_back(name + ": not a class");
        return;
    }
    if ((a.flags & TYPEFLAG_FCANCREATE) != (want.type_flags & TYPEFLAG_FCANCREATE))
        out.push_back(name + ": creatable " + std::to_string((a.flags & TYPEFLAG_FCANCREATE) != 0) +
                      ", the description says " + std::to_string((want.type_flags & TYPEFLAG_FCANCREATE) != 0));
    INT flags = 0;
    oleaut::com_ptr<ITypeInfo> impl = implemented(t, 0);
    const std::string want_default = want.default_interface ? oleaut::utf16_to_utf8(want.default_interface->name) : "";
    if (!impl || name_of(impl.get(), MEMBERID_NIL) != want_default || FAILED(t->GetImplTypeFlags(0, &flags)) ||
        !(flags & IMPLTYPEFLAG_FDEFAULT))
        out.push_back(name + ": its default interface is not " + want_default);
}

void compare_interface_type(ITypeInfo *t, const oleaut::disp::interface_info &want, std::vector<std::string> &out)
{
    const attributes a = attributes_of(t);
    // Either side of a dual interface may be the one the library lists.
    oleaut::com_ptr<ITypeInfo> other = (a.flags & TYPEFLAG_FDUAL) ? implemented(t, static_cast<UINT>(-1)) : nullptr;
    ITypeInfo *dispatch = a.kind == TKIND_DISPATCH ? t : other.get();
    ITypeInfo *vtable = a.kind == TKIND_INTERFACE ? t : other.get();
    // A compiled library keeps the oleautomation flag on the interface side only.
    const WORD flags = vtable ? attributes_of(vtable).flags : a.flags;
    if (flags != want.type_flags)
        out.push_back(oleaut::utf16_to_utf8(want.name) + ": type flags " + std::to_string(flags) +
                      ", the description says " + std::to_string(want.type_flags));
    compare_interface(dispatch, vtable, want, out);
}

}  // namespace

std::vector<std::string> type_library_mismatches(ITypeLib *lib, const oleaut::disp::library_info &want)
{
    std::vector<std::string> out;
    if (!lib)
        return {"no type library"};
    compare_library(lib, want, out);
    for (const oleaut::disp::type_entry &entry : want.types) {
        const auto [guid, name] = std::visit(
            [](const auto *d) {
                using T = std::decay_t<decltype(*d)>;
                if constexpr (std::is_same_v<T, oleaut::disp::interface_info>)
                    return std::pair{d->iid, d->name};
                else if constexpr (std::is_same_v<T, oleaut::disp::coclass_info>)
                    return std::pair{d->clsid, d->name};
                else
                    return std::pair{d->guid, d->name};
            },
            entry);
        oleaut::com_ptr<ITypeInfo> t;
        if (FAILED(lib->GetTypeInfoOfGuid(guid, t.put())) || !t) {
            out.push_back(oleaut::utf16_to_utf8(name) + ": not in the library");
            continue;
        }
        if (name_of(t.get(), MEMBERID_NIL) != oleaut::utf16_to_utf8(name))
            out.push_back(oleaut::utf16_to_utf8(name) + ": the library names it " + name_of(t.get(), MEMBERID_NIL));
        if (const auto *i = std::get_if<const oleaut::disp::interface_info *>(&entry))
            compare_interface_type(t.get(), **i, out);
        else if (const auto *c = std::get_if<const oleaut::disp::coclass_info *>(&entry))
            compare_class(t.get(), **c, out);
        else
            compare_enum(t.get(), *std::get<const oleaut::disp::enum_info *>(entry), out);
    }
    return out;
}

}  // namespace quillet
