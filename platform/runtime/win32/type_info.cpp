// Type information for an object outside any type library, in the Windows build: the
// platform's CreateDispTypeInfo over the object's member table. (An object in a type
// library, like the component's class, answers from the library its module carries.)
#include <vector>

#include "oleaut/dispatch/type_library_api.hpp"
#include "errors/error_object.hpp"

namespace {

WORD dispatch_flags(INVOKEKIND kind)
{
    switch (kind) {
    case INVOKE_PROPERTYGET: return DISPATCH_PROPERTYGET;
    case INVOKE_PROPERTYPUT: return DISPATCH_PROPERTYPUT;
    case INVOKE_PROPERTYPUTREF: return DISPATCH_PROPERTYPUTREF;
    default: return DISPATCH_METHOD;
    }
}

}  // namespace

STDAPI OaRtCreateTypeInfo(const oleaut::disp::interface_info *iface, IUnknown *owner, ITypeInfo **ppTInfo)
{
    (void)owner;  // the platform's type info holds nothing of this module
    if (!iface || !ppTInfo)
        return E_POINTER;
    *ppTInfo = nullptr;
    return oleaut::detail::guarded([&] {
        std::vector<std::vector<PARAMDATA>> params;
        std::vector<METHODDATA> methods;
        params.reserve(iface->members.size());
        for (const oleaut::disp::member_info &m : iface->members) {
            if (m.vtable_only)
                continue;
            std::vector<PARAMDATA> &p = params.emplace_back();
            for (const oleaut::disp::param &a : m.params)
                p.push_back({const_cast<OLECHAR *>(a.name ? a.name : OLESTR("")), a.type});
            METHODDATA d{};
            d.szName = const_cast<OLECHAR *>(m.name);
            d.ppdata = p.empty() ? nullptr : p.data();
            d.dispid = m.id;
            d.iMeth = static_cast<UINT>(7 + methods.size());  // after IUnknown's and IDispatch's entries
            d.cc = CC_STDCALL;
            d.cArgs = static_cast<UINT>(p.size());
            d.wFlags = dispatch_flags(m.kind);
            d.vtReturn = m.result;
            methods.push_back(d);
        }
        INTERFACEDATA data{methods.data(), static_cast<UINT>(methods.size())};
        return CreateDispTypeInfo(&data, LOCALE_SYSTEM_DEFAULT, ppTInfo);
    });
}
