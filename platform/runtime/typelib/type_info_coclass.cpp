// Type information of a class (TKIND_COCLASS): its one implemented type is the default
// interface.
#include "type_info_kinds.hpp"

namespace oleaut::disp {

coclass_type_info::coclass_type_info(type_family &family, const coclass_info &desc)
    : type_info_base(family, desc.name, TKIND_COCLASS, desc.clsid, desc.type_flags, nullptr), desc_(desc)
{
}

void coclass_type_info::link(dispatch_type_info *listed)
{
    if (!desc_.default_interface)
        return;
    if (!listed) {
        // An interface the library does not list still gets full type information, made
        // here; no library reports it as one of its entries.
        listed = &family_.own<dispatch_type_info>(*desc_.default_interface, function_form::dispatch);
        listed->link();
    }
    default_ = family_.reference_to(*listed);
}

void coclass_type_info::fill_type_attr(TYPEATTR &attr) const
{
    attr.cbSizeInstance = sizeof(void *);
    attr.cbAlignment = alignof(void *);
}

std::optional<HREFTYPE> coclass_type_info::impl_type(UINT index) const
{
    return index == 0 ? default_ : std::nullopt;
}

INT coclass_type_info::impl_type_flags(UINT) const { return IMPLTYPEFLAG_FDEFAULT; }

}  // namespace oleaut::disp
