// The arguments of one member call, bound to the member's declared parameters in
// declaration order and coerced to their declared types, plus the call's result.
#ifndef OLEAUT_DISPATCH_CALL_HPP
#define OLEAUT_DISPATCH_CALL_HPP

#include <cstddef>

#include "../variant.hpp"
#include "describe.hpp"

namespace oleaut::disp {

class call {
public:
    static constexpr size_t max_params = 16;

    call() noexcept = default;
    call(const call &) = delete;
    call &operator=(const call &) = delete;
    ~call() { release(); }

    size_t count() const noexcept { return count_; }
    LCID lcid() const noexcept { return lcid_; }

    // True when the optional parameter i was left out (VT_ERROR holding DISP_E_PARAMNOTFOUND).
    bool missing(size_t i) const noexcept
    {
        return i >= count_ || (args_[i].vt == VT_ERROR && args_[i].scode == DISP_E_PARAMNOTFOUND);
    }
    // Parameter i as bound: its declared type, VT_ERROR when left out, or for a by-reference
    // VARIANT parameter a VT_BYREF | VT_VARIANT pointing at the caller's variant.
    const VARIANT &arg(size_t i) const { return args_[checked(i)]; }

    SHORT i2(size_t i) const { return typed(i, VT_I2).iVal; }
    LONG i4(size_t i) const { return typed(i, VT_I4).lVal; }
    DOUBLE r8(size_t i) const { return typed(i, VT_R8).dblVal; }
    FLOAT r4(size_t i) const { return typed(i, VT_R4).fltVal; }
    VARIANT_BOOL boolean(size_t i) const { return typed(i, VT_BOOL).boolVal; }
    const DECIMAL &decimal(size_t i) const { return typed(i, VT_DECIMAL).decVal; }
    // The string as passed: null stays null, distinct from an empty string.
    BSTR bstr(size_t i) const { return typed(i, VT_BSTR).bstrVal; }
    // The object as passed (may be null); the call keeps the reference.
    IDispatch *object(size_t i) const { return typed(i, VT_DISPATCH).pdispVal; }
    // The caller's variant behind a by-reference parameter: what is written here goes back.
    VARIANT *ref(size_t i) const { return typed(i, VT_BYREF | VT_VARIANT).pvarVal; }

    // What the member answers; delivered to the caller only when the member succeeds.
    variant &result() noexcept { return result_; }

    // --- used by the binder -----------------------------------------------------------------
    void reset(size_t count, LCID lcid) noexcept
    {
        release();
        count_ = count;
        lcid_ = lcid;
        for (size_t i = 0; i < count; ++i) {
            VariantInit(&args_[i]);
            owned_[i] = false;
        }
    }
    // Puts a value the call does not own (the caller's, passed through untouched).
    void borrow(size_t i, const VARIANT &v) noexcept
    {
        args_[i] = v;
        owned_[i] = false;
    }
    // Answers a slot the call owns (cleared when the call ends).
    VARIANT *own(size_t i) noexcept
    {
        owned_[i] = true;
        return &args_[i];
    }
    // A by-value variant that a by-reference parameter points at when the caller passed a value.
    VARIANT *scratch(size_t i) noexcept { return &scratch_[i]; }

private:
    size_t checked(size_t i) const
    {
        if (i >= count_)
            throw com_error(DISP_E_BADPARAMCOUNT);
        return i;
    }
    const VARIANT &typed(size_t i, VARTYPE vt) const
    {
        const VARIANT &v = args_[checked(i)];
        if (v.vt != vt)
            throw com_error(missing(i) ? DISP_E_PARAMNOTFOUND : DISP_E_TYPEMISMATCH);
        return v;
    }
    void release() noexcept
    {
        for (size_t i = 0; i < count_; ++i) {
            if (owned_[i])
                VariantClear(&args_[i]);
            VariantClear(&scratch_[i]);
        }
        count_ = 0;
    }

    VARIANT args_[max_params];
    VARIANT scratch_[max_params] = {};
    bool owned_[max_params] = {};
    size_t count_ = 0;
    LCID lcid_ = LOCALE_EN_US;
    variant result_;
};

}  // namespace oleaut::disp

#endif
