// Choosing the member a call names and binding its arguments, the way automation
// clients call: positional arguments arrive last-first, named ones by parameter index,
// a put's value as DISPID_PROPERTYPUT, optional ones left out as VT_ERROR holding
// DISP_E_PARAMNOTFOUND. Nothing here runs member code.
#include "oleaut/dispatch/binder.hpp"
#include "oleaut/variant_view.hpp"

namespace oleaut::disp {

namespace {

bool is_put_kind(INVOKEKIND k) { return k == INVOKE_PROPERTYPUT || k == INVOKE_PROPERTYPUTREF; }

const member_info *find(const interface_info &iface, DISPID id, INVOKEKIND kind, size_t *index)
{
    for (size_t i = 0; i < iface.members.size(); ++i) {
        const member_info &m = iface.members[i];
        if (m.id == id && m.kind == kind && !m.vtable_only) {
            *index = i;
            return &m;
        }
    }
    return nullptr;
}

bool is_missing_marker(const VARIANT &v) { return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND; }

// How many of the call's arguments are positional (and, for a put, not the value).
UINT positional_count(const DISPPARAMS *p) { return p->cArgs - p->cNamedArgs; }

// Counts that agree with each other and arrays wherever a count says there are items.
bool well_formed(const DISPPARAMS *p)
{
    return p->cNamedArgs <= p->cArgs && (!p->cArgs || p->rgvarg) && (!p->cNamedArgs || p->rgdispidNamedArgs);
}

// The coercion failures a caller can act on keep their own code; anything else is a
// type mismatch.
HRESULT coercion_failure(HRESULT hr) { return hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH; }

// Binds one argument to a parameter of the given declared type.
HRESULT bind_one(const param &p, size_t slot, const VARIANT &arg, call &out)
{
    if (is_missing_marker(arg)) {
        if (!p.optional)
            return DISP_E_PARAMNOTFOUND;
        out.borrow(slot, arg);
        return S_OK;
    }
    VARTYPE want = p.type;
    if (want == (VT_BYREF | VT_VARIANT)) {
        if (arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal) {
            out.borrow(slot, arg);  // the member writes straight back into the caller's variant
            return S_OK;
        }
        // A value (or a typed reference) given for a by-reference parameter: the member works
        // on a private copy, as when a constant is passed to a by-reference parameter.
        VARIANT *copy = out.scratch(slot);
        HRESULT hr = VariantCopyInd(copy, &arg);
        if (FAILED(hr))
            return hr;
        VARIANT *ref = out.own(slot);
        ref->vt = VT_BYREF | VT_VARIANT;
        ref->pvarVal = copy;
        return S_OK;
    }
    if (want == VT_VARIANT) {
        if (!(arg.vt & VT_BYREF)) {
            out.borrow(slot, arg);
            return S_OK;
        }
        return VariantCopyInd(out.own(slot), &arg);
    }
    if (arg.vt == want) {
        out.borrow(slot, arg);  // already the declared type: untouched, even a null string
        return S_OK;
    }
    if (want == VT_DISPATCH || want == VT_UNKNOWN) {
        // An object, by value or by reference; a null reference to one stands for Nothing.
        const variant_view given(arg);
        const VARTYPE type = given.type() & ~VT_BYREF;
        if (type != VT_DISPATCH && type != VT_UNKNOWN)
            return DISP_E_TYPEMISMATCH;
        IUnknown *unk = given.followed_all() ? given.value().punkVal : nullptr;
        VARIANT *slot_v = out.own(slot);
        slot_v->vt = want;
        slot_v->punkVal = nullptr;
        if (!unk)
            return S_OK;  // a null reference reaches the member, which decides what it means
        if (want == VT_UNKNOWN) {
            unk->AddRef();
            slot_v->punkVal = unk;
            return S_OK;
        }
        void *d = nullptr;
        if (FAILED(unk->QueryInterface(IID_IDispatch, &d)) || !d)
            return DISP_E_TYPEMISMATCH;
        slot_v->pdispVal = static_cast<IDispatch *>(d);
        return S_OK;
    }
    HRESULT hr = VariantChangeTypeEx(out.own(slot), &arg, LOCALE_EN_US, 0, want);
    return FAILED(hr) ? coercion_failure(hr) : S_OK;
}

}  // namespace

selection select_member(const interface_info &iface, DISPID dispid, WORD flags, const DISPPARAMS *params) noexcept
{
    selection s;
    // Refused before anything reads it: a call given to a default member would otherwise
    // hand the malformed parameters on to another object.
    if (!well_formed(params)) {
        s.hr = E_INVALIDARG;
        return s;
    }
    const member_info *m = nullptr;
    const member_info *getter = nullptr;
    size_t getter_index = 0;
    getter = find(iface, dispid, INVOKE_PROPERTYGET, &getter_index);
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        // A put by reference may fall back to a plain put (a property that takes an object
        // by value); a plain put never becomes a put by reference.
        if (flags & DISPATCH_PROPERTYPUTREF)
            m = find(iface, dispid, INVOKE_PROPERTYPUTREF, &s.index);
        if (!m)
            m = find(iface, dispid, INVOKE_PROPERTYPUT, &s.index);
        // `Cells(1, 2) = x`: no put of its own, but a parameterless object property whose
        // default member takes the put.
        const UINT indexes = positional_count(params);
        if (indexes > 0 && (!m || m->params.empty() || indexes > m->params.size() - 1) && getter &&
            getter->params.empty() && getter->result == VT_DISPATCH) {
            s.index = getter_index;
            s.forward_to_default = true;
            return s;
        }
    } else {
        if (flags & DISPATCH_METHOD)
            m = find(iface, dispid, INVOKE_FUNC, &s.index);
        if (!m && (flags & DISPATCH_PROPERTYGET)) {
            m = getter;
            s.index = getter_index;
            if (m && m->params.empty() && params->cArgs > 0 && m->result == VT_DISPATCH) {
                s.forward_to_default = true;
                return s;
            }
        }
    }
    if (!m)
        s.hr = DISP_E_MEMBERNOTFOUND;
    return s;
}

HRESULT bind_arguments(const member_info &m, const DISPPARAMS *params, call &out, UINT *puArgErr) noexcept
{
    const size_t declared = m.params.size();
    if (declared > call::max_params)
        return DISP_E_BADPARAMCOUNT;
    if (!well_formed(params))
        return E_INVALIDARG;
    out.reset(declared, LOCALE_EN_US);

    // Which rgvarg index feeds each parameter (-1: none yet).
    long source[call::max_params];
    for (size_t i = 0; i < declared; ++i)
        source[i] = -1;

    const bool is_put = is_put_kind(m.kind);
    const size_t value_slot = is_put && declared ? declared - 1 : declared;
    const UINT positional = positional_count(params);
    if (positional > (is_put ? value_slot : declared))
        return DISP_E_BADPARAMCOUNT;
    for (UINT i = 0; i < positional; ++i)
        source[i] = static_cast<long>(params->cArgs - 1 - i);
    for (UINT n = 0; n < params->cNamedArgs; ++n) {
        DISPID id = params->rgdispidNamedArgs[n];
        size_t slot;
        if (id == DISPID_PROPERTYPUT && is_put && declared) {
            slot = value_slot;
        } else if (id >= 0 && static_cast<size_t>(id) < (is_put ? value_slot : declared)) {
            slot = static_cast<size_t>(id);
        } else {
            if (puArgErr)
                *puArgErr = n;
            return DISP_E_PARAMNOTFOUND;
        }
        if (source[slot] >= 0) {  // the same parameter given twice
            if (puArgErr)
                *puArgErr = n;
            return DISP_E_PARAMNOTFOUND;
        }
        source[slot] = static_cast<long>(n);
    }

    static const VARIANT left_out = [] {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_ERROR;
        v.scode = DISP_E_PARAMNOTFOUND;
        return v;
    }();
    // Refuse a missing required parameter before coercing anything.
    for (size_t i = 0; i < declared; ++i) {
        const VARIANT *given = source[i] >= 0 ? &params->rgvarg[source[i]] : nullptr;
        if ((!given || is_missing_marker(*given)) && !m.params[i].optional) {
            if (puArgErr && given)
                *puArgErr = static_cast<UINT>(source[i]);
            out.reset(0, LOCALE_EN_US);
            return DISP_E_PARAMNOTFOUND;
        }
    }
    for (size_t i = 0; i < declared; ++i) {
        const VARIANT &given = source[i] >= 0 ? params->rgvarg[source[i]] : left_out;
        HRESULT hr = bind_one(m.params[i], i, given, out);
        if (FAILED(hr)) {
            if (puArgErr && source[i] >= 0)
                *puArgErr = static_cast<UINT>(source[i]);
            out.reset(0, LOCALE_EN_US);
            return hr;
        }
    }
    return S_OK;
}

HRESULT ids_of_names(const interface_info &iface, LPOLESTR *names, UINT count, DISPID *ids) noexcept
{
    if (!names || !ids || count == 0)
        return count == 0 ? S_OK : E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    bool all_known = true;
    oleaut::ostring_view member_name = names[0] ? oleaut::ostring_view(names[0]) : oleaut::ostring_view();
    for (const member_info &m : iface.members) {
        if (!m.vtable_only && names_equal(m.name, member_name)) {
            ids[0] = m.id;
            break;
        }
    }
    if (ids[0] == DISPID_UNKNOWN)
        all_known = false;
    for (UINT n = 1; n < count; ++n) {
        oleaut::ostring_view wanted = names[n] ? oleaut::ostring_view(names[n]) : oleaut::ostring_view();
        for (const member_info &m : iface.members) {
            if (m.vtable_only || !names_equal(m.name, member_name))
                continue;
            for (size_t p = 0; p < m.params.size() && ids[n] == DISPID_UNKNOWN; ++p) {
                // A put's value has no name a caller may use.
                if (is_put_kind(m.kind) && p + 1 == m.params.size())
                    continue;
                if (names_equal(m.params[p].name, wanted))
                    ids[n] = static_cast<DISPID>(p);
            }
        }
        if (ids[n] == DISPID_UNKNOWN)
            all_known = false;
    }
    return all_known ? S_OK : DISP_E_UNKNOWNNAME;
}

}  // namespace oleaut::disp
