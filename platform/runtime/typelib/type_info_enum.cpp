// Type information of an enumeration (TKIND_ENUM): one VAR_CONST per constant, valued
// as a VT_I4.
#include "type_descriptors.hpp"
#include "type_info_kinds.hpp"

namespace oleaut::disp {

enum_type_info::enum_type_info(type_family &family, const enum_info &desc)
    : type_info_base(family, desc.name, TKIND_ENUM, desc.guid, desc.type_flags, nullptr), desc_(desc)
{
    for (size_t i = 0; i < desc.constants.size(); ++i) {
        const MEMBERID id = kFirstConstantId + static_cast<MEMBERID>(i);
        members_.push_back(named_member{id, desc.constants[i].name, {}, nullptr});
    }
}

void enum_type_info::fill_type_attr(TYPEATTR &attr) const
{
    attr.cbSizeInstance = sizeof(LONG);
    attr.cbAlignment = alignof(LONG);
}

VARDESC *enum_type_info::make_var_desc(UINT index) const
{
    return new_const_var_desc(kFirstConstantId + static_cast<MEMBERID>(index), desc_.constants[index].value);
}

}  // namespace oleaut::disp
