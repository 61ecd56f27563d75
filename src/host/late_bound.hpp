// Late-bound calls on host and recordset objects: the member is looked up by name
// (GetIDsOfNames, together with any named parameters) and called with one
// IDispatch::Invoke in locale 1033. A failed call throws com_error carrying what the
// callee reported: the number, source and description from EXCEPINFO, or the HRESULT
// with the runtime's description.
#ifndef QUILLET_HOST_LATE_BOUND_HPP
#define QUILLET_HOST_LATE_BOUND_HPP

#include <initializer_list>

#include "comutil.hpp"

namespace quillet::host {

using oleaut::com_ptr;
using oleaut::variant;

// A named argument: the parameter's name and its value (not owned).
struct named_arg {
    const OLECHAR *name;
    const VARIANT &value;
};

// Calls `member` of `target`. Positional arguments are given in declaration order.
variant invoke(IDispatch *target, const OLECHAR *member, WORD flags, std::initializer_list<VARIANT> args = {},
               std::initializer_list<named_arg> named = {});

// Property get, optionally indexed.
inline variant get(IDispatch *target, const OLECHAR *member, std::initializer_list<VARIANT> args = {})
{
    return invoke(target, member, DISPATCH_PROPERTYGET, args);
}

// Property put (the value travels as the DISPID_PROPERTYPUT argument), optionally indexed.
void put(IDispatch *target, const OLECHAR *member, const VARIANT &value, std::initializer_list<VARIANT> index = {});

// A method call whose result is not used.
inline void call(IDispatch *target, const OLECHAR *member, std::initializer_list<VARIANT> args = {},
                 std::initializer_list<named_arg> named = {})
{
    invoke(target, member, DISPATCH_METHOD, args, named);
}

// The object a call answered, as IDispatch; anything else is a type mismatch.
com_ptr<IDispatch> object_of(variant &&v);

// Base of the typed wrappers: holds one reference to the object it calls.
class dispatch_ref {
public:
    dispatch_ref() = default;
    explicit dispatch_ref(com_ptr<IDispatch> d) : d_(std::move(d)) {}
    IDispatch *get() const noexcept { return d_.get(); }
    explicit operator bool() const noexcept { return static_cast<bool>(d_); }
    const com_ptr<IDispatch> &ptr() const noexcept { return d_; }

protected:
    variant get_value(const OLECHAR *member) const { return host::get(d_.get(), member); }
    com_ptr<IDispatch> get_object(const OLECHAR *member, std::initializer_list<VARIANT> args = {}) const
    {
        return object_of(host::get(d_.get(), member, args));
    }
    void put_value(const OLECHAR *member, const VARIANT &value) const { host::put(d_.get(), member, value); }

    com_ptr<IDispatch> d_;
};

}  // namespace quillet::host

#endif
