// Late-bound calls on automation objects, as a script's late binder makes them: the member is looked up by name
// (GetIDsOfNames, together with any named parameters) and called with one
// IDispatch::Invoke in locale 1033. A failed call throws com_error carrying what the
// callee reported: the number, source and description from EXCEPINFO, or the HRESULT
// with the runtime's description.
#ifndef OLEAUT_LATE_BOUND_HPP
#define OLEAUT_LATE_BOUND_HPP

#include <initializer_list>
#include <span>

#include "../comutil.hpp"

namespace oleaut::late {


// A named argument: the parameter's name and its value (not owned).
struct named_arg {
    const OLECHAR *name;
    const VARIANT &value;
};

// Calls `member` of `target`. Positional arguments are given in declaration order.
inline variant invoke(IDispatch *target, const OLECHAR *member, WORD flags, std::initializer_list<VARIANT> args = {},
                      std::initializer_list<named_arg> named = {});
// Property put (the value travels as the DISPID_PROPERTYPUT argument), optionally indexed.
inline void put(IDispatch *target, const OLECHAR *member, const VARIANT &value,
                std::initializer_list<VARIANT> index = {});
// The object a call answered, as IDispatch; anything else is a type mismatch.
inline com_ptr<IDispatch> object_of(variant &&v);

// Property get, optionally indexed.
inline variant get(IDispatch *target, const OLECHAR *member, std::initializer_list<VARIANT> args = {})
{
    return invoke(target, member, DISPATCH_PROPERTYGET, args);
}

// A method call whose result is not used.
inline void call(IDispatch *target, const OLECHAR *member, std::initializer_list<VARIANT> args = {},
                 std::initializer_list<named_arg> named = {})
{
    invoke(target, member, DISPATCH_METHOD, args, named);
}

// Base of the typed wrappers: holds one reference to the object it calls.
class dispatch_ref {
public:
    dispatch_ref() = default;
    explicit dispatch_ref(com_ptr<IDispatch> d) : d_(std::move(d)) {}
    IDispatch *get() const noexcept { return d_.get(); }
    explicit operator bool() const noexcept { return static_cast<bool>(d_); }
    const com_ptr<IDispatch> &ptr() const noexcept { return d_; }

protected:
    variant get_value(const OLECHAR *member) const { return late::get(d_.get(), member); }
    com_ptr<IDispatch> get_object(const OLECHAR *member, std::initializer_list<VARIANT> args = {}) const
    {
        return object_of(late::get(d_.get(), member, args));
    }
    void put_value(const OLECHAR *member, const VARIANT &value) const { late::put(d_.get(), member, value); }

    com_ptr<IDispatch> d_;
};

// An object driven member by member by name, the way a test or a tool steps through a
// host's object model:
//
//   late::ref app = late::ref::attach(new_application());
//   app.put(OLESTR("Visible"), variant::boolean(false));
//   late::ref book = app.object(OLESTR("Workbooks")).call_object(OLESTR("Add"));
//   fill.call(OLESTR("OneColorGradient"), {}, {{OLESTR("Style"), variant::i2(1)}, {OLESTR("Degree"), variant::r8(0.23)}});
class ref : public dispatch_ref {
public:
    using dispatch_ref::dispatch_ref;
    using dispatch_ref::get;

    // Adopts a reference the caller owns.
    static ref attach(IDispatch *d) { return ref(com_ptr<IDispatch>::attach(d)); }
    // The object a value holds; a null object is an empty ref (Nothing), anything that is
    // no object a type mismatch.
    static ref from(const VARIANT &v);

    void reset() noexcept { d_.reset(); }

    variant invoke(const OLECHAR *member, WORD flags, std::initializer_list<VARIANT> args = {},
                   std::initializer_list<named_arg> named = {}) const
    {
        return late::invoke(d_.get(), member, flags, args, named);
    }
    // Property get, optionally indexed, and the object it answers.
    variant get(const OLECHAR *member, std::initializer_list<VARIANT> index = {}) const
    {
        return late::get(d_.get(), member, index);
    }
    ref object(const OLECHAR *member, std::initializer_list<VARIANT> index = {}) const
    {
        return from(get(member, index));
    }
    // Property put (by value) and property put by reference (an object), optionally indexed.
    void put(const OLECHAR *member, const VARIANT &value, std::initializer_list<VARIANT> index = {}) const
    {
        late::put(d_.get(), member, value, index);
    }
    void put_ref(const OLECHAR *member, const ref &value) const;
    // Method call, and the object it answers.
    variant call(const OLECHAR *member, std::initializer_list<VARIANT> args = {},
                 std::initializer_list<named_arg> named = {}) const
    {
        return late::invoke(d_.get(), member, DISPATCH_METHOD, args, named);
    }
    // The same with named arguments collected at run time.
    variant call(const OLECHAR *member, std::initializer_list<VARIANT> args, std::span<const named_arg> named) const;
    ref call_object(const OLECHAR *member, std::initializer_list<VARIANT> args = {},
                    std::initializer_list<named_arg> named = {}) const
    {
        return from(call(member, args, named));
    }
    // This object as an argument (the argument holds its own reference).
    variant as_arg() const { return variant::dispatch(d_.get()); }
};

// ---- implementation ------------------------------------------------------------------
namespace detail {

// Calling a member of no object is the runtime's error 91.
[[noreturn]] inline void no_object()
{
    throw com_error(OART_E_OBJECTNOTSET);
}

inline constexpr size_t kMaxArgs = 16;

// The one place a member is called.
inline variant invoke_args(IDispatch *target, const OLECHAR *member, WORD flags, const VARIANT *args, size_t count,
                           std::span<const named_arg> named)
{
    if (!target)
        no_object();
    if (count + named.size() + 1 > kMaxArgs)
        throw com_error(DISP_E_BADPARAMCOUNT);

    // The member's id and the ids of its named parameters, in one lookup.
    LPOLESTR names[kMaxArgs];
    DISPID ids[kMaxArgs];
    UINT name_count = 0;
    names[name_count++] = const_cast<LPOLESTR>(member);
    for (const named_arg &n : named)
        names[name_count++] = const_cast<LPOLESTR>(n.name);
    HRESULT hr = target->GetIDsOfNames(IID_NULL, names, name_count, LOCALE_EN_US, ids);
    if (hr == DISP_E_UNKNOWNNAME)
        throw com_error(OART_E_NOTSUPPORTED);  // the object has no such member
    if (FAILED(hr))
        throw com_error(hr);

    // Named arguments first, then the positional ones last-first, as automation expects;
    // a put's value (the last positional argument) travels as DISPID_PROPERTYPUT.
    VARIANT rgvarg[kMaxArgs];
    DISPID named_ids[kMaxArgs];
    UINT n = 0;
    const bool is_put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    if (is_put) {
        if (count == 0)
            throw com_error(DISP_E_BADPARAMCOUNT);
        named_ids[n] = DISPID_PROPERTYPUT;
        rgvarg[n++] = args[count - 1];
        --count;
    }
    UINT k = 1;  // ids[0] is the member's
    for (const named_arg &a : named) {
        named_ids[n] = ids[k++];
        rgvarg[n++] = a.value;
    }
    const UINT named_count = n;
    for (size_t i = count; i > 0; --i)
        rgvarg[n++] = args[i - 1];
    DISPPARAMS dp{rgvarg, named_count ? named_ids : nullptr, n, named_count};

    // Error info left over from an earlier call must not be taken for this call's.
    SetErrorInfo(0, nullptr);
    variant result;
    EXCEPINFO ei{};
    UINT arg_err = 0;
    hr = target->Invoke(ids[0], IID_NULL, LOCALE_EN_US, flags, &dp, result.put(), &ei, &arg_err);
    if (FAILED(hr))
        throw com_error::from_invoke(hr, ei);
    return result;
}

}  // namespace detail

inline variant invoke(IDispatch *target, const OLECHAR *member, WORD flags, std::initializer_list<VARIANT> args,
                      std::initializer_list<named_arg> named)
{
    return detail::invoke_args(target, member, flags, args.begin(), args.size(), {named.begin(), named.size()});
}

namespace detail {

// A put or a put by reference: the index arguments, then the value.
inline void put_with(WORD flags, IDispatch *target, const OLECHAR *member, const VARIANT &value,
                     std::initializer_list<VARIANT> index)
{
    VARIANT all[kMaxArgs];
    if (index.size() + 1 > kMaxArgs)
        throw com_error(DISP_E_BADPARAMCOUNT);
    size_t n = 0;
    for (const VARIANT &v : index)
        all[n++] = v;
    all[n++] = value;
    invoke_args(target, member, flags, all, n, {});
}

}  // namespace detail

inline void put(IDispatch *target, const OLECHAR *member, const VARIANT &value, std::initializer_list<VARIANT> index)
{
    detail::put_with(DISPATCH_PROPERTYPUT, target, member, value, index);
}

inline void ref::put_ref(const OLECHAR *member, const ref &value) const
{
    detail::put_with(DISPATCH_PROPERTYPUTREF, d_.get(), member, value.as_arg(), {});
}

inline variant ref::call(const OLECHAR *member, std::initializer_list<VARIANT> args,
                         std::span<const named_arg> named) const
{
    return detail::invoke_args(d_.get(), member, DISPATCH_METHOD, args.begin(), args.size(), named);
}

inline ref ref::from(const VARIANT &v)
{
    if (v.vt == VT_DISPATCH)
        return ref(com_ptr<IDispatch>(v.pdispVal));
    if (v.vt == VT_UNKNOWN && v.punkVal)
        return ref(object_of(variant(v)));
    throw com_error(OART_E_TYPEMISMATCH);
}

inline com_ptr<IDispatch> object_of(variant &&v)
{
    if (v.vt == VT_DISPATCH && v.pdispVal)
        return com_ptr<IDispatch>::attach(std::exchange(v.pdispVal, nullptr));
    if (v.vt == VT_UNKNOWN && v.punkVal) {
        com_ptr<IDispatch> d;
        if (SUCCEEDED(v.punkVal->QueryInterface(IID_IDispatch, d.put_void())))
            return d;
    }
    if ((v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN))
        throw com_error(OART_E_OBJECTNOTSET);
    throw com_error(OART_E_TYPEMISMATCH);
}

}  // namespace oleaut::late

#endif
