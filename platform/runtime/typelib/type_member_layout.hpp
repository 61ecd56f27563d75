// From a member's description to the function the type information shows.
#ifndef OLEAUT_DISPATCH_TYPE_MEMBER_LAYOUT_HPP
#define OLEAUT_DISPATCH_TYPE_MEMBER_LAYOUT_HPP

#include "oleaut/dispatch/describe.hpp"
#include "type_family.hpp"
#include "type_layout.hpp"

namespace oleaut::disp {

// A declared type (parameter or result), with named types resolved in `family`:
// VT_DISPATCH/VT_UNKNOWN + name -> VT_PTR -> VT_USERDEFINED, VT_I4 + name ->
// VT_USERDEFINED (an enumeration), VT_BYREF -> VT_PTR, VT_ARRAY -> VT_SAFEARRAY,
// VT_EMPTY -> VT_VOID.
elem_shape declared_shape(VARTYPE vt, const char16_t *type_name, type_family &family);

// The member as a dispatch function (FUNC_DISPATCH, declared result).
func_layout dispatch_layout(const member_info &m, type_family &family);
// The member as vtable slot `slot` of a dual interface (FUNC_PUREVIRTUAL, HRESULT, the
// declared result as a trailing [out, retval] parameter).
func_layout vtable_layout(const member_info &m, UINT slot, type_family &family);

// The parameter names GetNames lists: all of them, except that a property put's value
// has no name on the dispatch side.
std::vector<std::u16string_view> listed_param_names(const member_info &m, bool dispatch_side);

}  // namespace oleaut::disp

#endif
