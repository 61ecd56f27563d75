#include "host/late_bound.hpp"

namespace quillet::host {

namespace {

// Calling a member of no object is the runtime's error 91.
[[noreturn]] void no_object()
{
    throw oleaut::com_error(OART_E_OBJECTNOTSET);
}

}  // namespace

namespace {

constexpr size_t kMaxArgs = 16;

// The one place a host or recordset member is called.
variant invoke_args(IDispatch *target, const OLECHAR *member, WORD flags, const VARIANT *args, size_t count,
                    std::initializer_list<named_arg> named)
{
    if (!target)
        no_object();
    if (count + named.size() + 1 > kMaxArgs)
        throw oleaut::com_error(DISP_E_BADPARAMCOUNT);

    // The member's id and the ids of its named parameters, in one lookup.
    LPOLESTR names[kMaxArgs];
    DISPID ids[kMaxArgs];
    UINT name_count = 0;
    names[name_count++] = const_cast<LPOLESTR>(member);
    for (const named_arg &n : named)
        names[name_count++] = const_cast<LPOLESTR>(n.name);
    HRESULT hr = target->GetIDsOfNames(IID_NULL, names, name_count, LOCALE_EN_US, ids);
    if (hr == DISP_E_UNKNOWNNAME)
        throw oleaut::com_error(OART_E_NOTSUPPORTED);  // the object has no such member
    if (FAILED(hr))
        throw oleaut::com_error(hr);

    // Named arguments first, then the positional ones last-first, as automation expects;
    // a put's value (the last positional argument) travels as DISPID_PROPERTYPUT.
    VARIANT rgvarg[kMaxArgs];
    DISPID named_ids[kMaxArgs];
    UINT n = 0;
    const bool is_put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    if (is_put) {
        if (count == 0)
            throw oleaut::com_error(DISP_E_BADPARAMCOUNT);
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
        throw oleaut::com_error::from_invoke(hr, ei);
    return result;
}

}  // namespace

variant invoke(IDispatch *target, const OLECHAR *member, WORD flags, std::initializer_list<VARIANT> args,
               std::initializer_list<named_arg> named)
{
    return invoke_args(target, member, flags, args.begin(), args.size(), named);
}

void put(IDispatch *target, const OLECHAR *member, const VARIANT &value, std::initializer_list<VARIANT> index)
{
    VARIANT all[kMaxArgs];
    if (index.size() + 1 > kMaxArgs)
        throw oleaut::com_error(DISP_E_BADPARAMCOUNT);
    size_t n = 0;
    for (const VARIANT &v : index)
        all[n++] = v;
    all[n++] = value;
    invoke_args(target, member, DISPATCH_PROPERTYPUT, all, n, {});
}

com_ptr<IDispatch> object_of(variant &&v)
{
    if (v.vt == VT_DISPATCH && v.pdispVal)
        return com_ptr<IDispatch>::attach(std::exchange(v.pdispVal, nullptr));
    if (v.vt == VT_UNKNOWN && v.punkVal) {
        com_ptr<IDispatch> d;
        if (SUCCEEDED(v.punkVal->QueryInterface(IID_IDispatch, d.put_void())))
            return d;
    }
    if ((v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN))
        throw oleaut::com_error(OART_E_OBJECTNOTSET);
    throw oleaut::com_error(OART_E_TYPEMISMATCH);
}

}  // namespace quillet::host
