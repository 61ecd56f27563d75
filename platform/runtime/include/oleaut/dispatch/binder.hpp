// The non-generic half of Invoke and GetIDsOfNames: choosing the member a call
// names and binding its arguments, driven only by the member descriptions.
#ifndef OLEAUT_DISPATCH_BINDER_HPP
#define OLEAUT_DISPATCH_BINDER_HPP

#include "call.hpp"
#include "describe.hpp"

namespace oleaut::disp {

struct selection {
    HRESULT hr = S_OK;
    size_t index = 0;  // into interface_info::members
    // The call passes arguments to a parameterless property that answers an object:
    // fetch the object with no arguments, then give the whole call to its default member
    // (how `Cells(1, 2)` and `SeriesCollection(1)` reach their items).
    bool forward_to_default = false;
};

// Picks the member that (dispid, flags) calls. DISPATCH_METHOD | DISPATCH_PROPERTYGET,
// as script engines send it, prefers a method and falls back to a property get.
selection select_member(const interface_info &iface, DISPID dispid, WORD flags, const DISPPARAMS *params) noexcept;

// Binds the call's arguments to m's parameters: positional arguments in reverse order,
// named ones by parameter index, the put value by DISPID_PROPERTYPUT. Each argument is
// coerced to its declared type (locale 1033) unless it already has it. On failure no
// argument is left bound and *puArgErr (if given) names the offending rgvarg index.
HRESULT bind_arguments(const member_info &m, const DISPPARAMS *params, call &out, UINT *puArgErr) noexcept;

// GetIDsOfNames over the descriptions: the member's id, then the ids (indexes) of the
// named parameters. Unknown names are DISPID_UNKNOWN and the answer DISP_E_UNKNOWNNAME.
HRESULT ids_of_names(const interface_info &iface, LPOLESTR *names, UINT count, DISPID *ids) noexcept;

}  // namespace oleaut::disp

#endif
