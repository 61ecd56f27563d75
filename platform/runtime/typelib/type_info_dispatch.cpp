// Type information of a dispatch interface (TKIND_DISPATCH) and of the vtable side of
// a dual one (TKIND_INTERFACE). Members marked vtable_only are not shown; on the
// vtable side they still occupy their slot, so the offsets of the members after them
// stay those of the binary interface.
#include <algorithm>

#include "type_errors.hpp"
#include "type_info_kinds.hpp"
#include "type_member_layout.hpp"

namespace oleaut::disp {

namespace {
// IUnknown's three slots and IDispatch's four come before any declared member.
constexpr UINT kDispatchSlots = 7;
}  // namespace

dispatch_type_info::dispatch_type_info(type_family &family, const interface_info &iface, function_form form)
    : type_info_base(family, iface.name, form == function_form::dispatch ? TKIND_DISPATCH : TKIND_INTERFACE,
                     iface.iid, iface.type_flags, iface.doc),
      iface_(iface), form_(form)
{
}

void dispatch_type_info::link()
{
    base_ = family_.reference_to(family_.idispatch());
    const bool dispatch_side = form_ == function_form::dispatch;
    UINT slot = kDispatchSlots;
    for (const member_info &m : iface_.members) {
        const UINT this_slot = slot++;
        if (m.vtable_only)
            continue;
        functions_.push_back(dispatch_side ? dispatch_layout(m, family_) : vtable_layout(m, this_slot, family_));
        members_.push_back(named_member{m.id, m.name, listed_param_names(m, dispatch_side), nullptr});
    }
    if (dispatch_side && (iface_.type_flags & TYPEFLAG_FDUAL)) {
        auto &vtable_side = family_.own<dispatch_type_info>(iface_, function_form::vtable);
        vtable_side.set_library_entry(library_entry());
        vtable_side.link();
        link_to_other_side(vtable_side);
        vtable_side.link_to_other_side(*this);
    }
}

void dispatch_type_info::link_to_other_side(dispatch_type_info &other) noexcept
{
    other_side_ = family_.reference_to(other);
}

void dispatch_type_info::fill_type_attr(TYPEATTR &attr) const
{
    attr.cbSizeInstance = sizeof(void *);
    attr.cbAlignment = alignof(void *);
    const size_t slots = form_ == function_form::dispatch ? kDispatchSlots : kDispatchSlots + iface_.members.size();
    attr.cbSizeVft = static_cast<WORD>(slots * sizeof(void *));
}

std::optional<HREFTYPE> dispatch_type_info::impl_type(UINT index) const
{
    if (index == 0)
        return base_;
    // Index -1 asks a dual interface for its other side.
    if (index == static_cast<UINT>(-1))
        return other_side_;
    return std::nullopt;
}

HRESULT dispatch_type_info::invoke_member(void *instance, MEMBERID memid, WORD flags, DISPPARAMS *params,
                                          VARIANT *result, EXCEPINFO *excep, UINT *arg_err)
{
    if (!instance)
        return fail(E_INVALIDARG, "ITypeInfo::Invoke was given no object to call.");
    const bool known = std::any_of(functions_.begin(), functions_.end(), [&](const func_layout &f) {
        return f.memid == memid && (static_cast<WORD>(f.invkind) & flags) != 0;
    });
    if (!known)
        return fail(DISP_E_MEMBERNOTFOUND, "'" + name_utf8(name()) + "' has no member with the id " + id_text(memid) +
                                               " that can be called with the invoke flags " +
                                               std::to_string(flags) + ".");
    // A dual interface derives from IDispatch, so both sides can call through it.
    return static_cast<IDispatch *>(instance)->Invoke(memid, IID_NULL, LOCALE_EN_US, flags, params, result, excep,
                                                      arg_err);
}

}  // namespace oleaut::disp
