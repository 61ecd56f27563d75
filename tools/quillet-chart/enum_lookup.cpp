#include "enum_lookup.hpp"

#include <cstdlib>

#include "oleaut/dispatch/describe.hpp"

namespace quillet_chart {

using oleaut::bstr;
using oleaut::com_error;
using oleaut::com_ptr;

namespace {

// Releases a VARDESC when the lookup leaves, whichever way.
struct var_desc {
    ITypeInfo *owner;
    VARDESC *desc = nullptr;
    ~var_desc()
    {
        if (desc)
            owner->ReleaseVarDesc(desc);
    }
};

com_ptr<ITypeInfo> find_enum(IDispatch *object, std::u16string_view enum_name)
{
    com_ptr<ITypeInfo> info;
    oleaut::check(object->GetTypeInfo(0, LOCALE_EN_US, info.put()));
    com_ptr<ITypeLib> lib;
    UINT index = 0;
    oleaut::check(info->GetContainingTypeLib(lib.put(), &index));
    for (UINT i = 0, n = lib->GetTypeInfoCount(); i < n; ++i) {
        bstr name;
        oleaut::check(lib->GetDocumentation(static_cast<INT>(i), name.put(), nullptr, nullptr, nullptr));
        if (oleaut::disp::names_equal(name.view(), enum_name)) {
            com_ptr<ITypeInfo> e;
            oleaut::check(lib->GetTypeInfo(i, e.put()));
            return e;
        }
    }
    throw com_error(TYPE_E_ELEMENTNOTFOUND, u"quillet-chart",
                    u"The component's type library has no enumeration " + std::u16string(enum_name));
}

}  // namespace

LONG enum_value(IDispatch *object, std::u16string_view enum_name, const std::string &text)
{
    char *end = nullptr;
    long number = std::strtol(text.c_str(), &end, 10);
    if (!text.empty() && *end == '\0')
        return static_cast<LONG>(number);

    com_ptr<ITypeInfo> e = find_enum(object, enum_name);
    TYPEATTR *attr = nullptr;
    oleaut::check(e->GetTypeAttr(&attr));
    const WORD count = attr->cVars;
    e->ReleaseTypeAttr(attr);
    const std::u16string wanted = oleaut::utf8_to_utf16(text);
    std::u16string known;
    for (UINT i = 0; i < count; ++i) {
        var_desc vd{e.get()};
        oleaut::check(e->GetVarDesc(i, &vd.desc));
        bstr name;
        oleaut::check(e->GetDocumentation(vd.desc->memid, name.put(), nullptr, nullptr, nullptr));
        if (oleaut::disp::names_equal(name.view(), wanted))
            return oleaut::variant(*vd.desc->lpvarValue).to_i4();
        known += (known.empty() ? u"" : u", ") + name.str();
    }
    throw com_error(E_INVALIDARG, u"quillet-chart",
                    u"'" + wanted + u"' is not a member of " + std::u16string(enum_name) + u": use a number or one of " +
                        known);
}

}  // namespace quillet_chart
