// What a dual interface's member list is made of, so that each member is written once and
// yields its entry in the interface table, the object's override of that entry and its
// row in the dispatch table (see quillet_interface.hpp for the list itself).
//
// A parameter is written `(VARTYPE, name)` or `(VARTYPE, name, type name)`, and a member's
// parameters as a sequence of them: `(VT_I4, iType, OLESTR("xlChartType"))(VT_I2, iWidth)`. The
// variant type decides the C++ type in the interface table, how the argument travels to
// the member (as a VARIANT) and how the member's routine receives it, so nothing can
// drift apart. A member's result is VT_EMPTY (none), VT_DISPATCH or VT_VARIANT; it is the
// interface entry's last parameter, `result`.
#ifndef QUILLET_AUTOMATION_MEMBER_SIGNATURES_HPP
#define QUILLET_AUTOMATION_MEMBER_SIGNATURES_HPP

#include <cstddef>
#include <type_traits>

#include "oleaut/dispatch/call.hpp"

namespace quillet::automation {

// How a parameter of one variant type appears in the interface table (`type`), is stored
// in a VARIANT that borrows the caller's value (`store`), and reaches the routine from the
// bound call (`receive`). Strings and objects travel as passed, a null one included.
template <VARTYPE Vt>
struct parameter;

#define QUILLET_PARAMETER(vt, cpp_type, field, getter)                                     \
    template <>                                                                           \
    struct parameter<vt> {                                                                \
        using type = cpp_type;                                                            \
        static void store(VARIANT &v, type x) noexcept { v.field = x; }                   \
        static type receive(const oleaut::disp::call &c, size_t i) { return c.getter(i); } \
    };
QUILLET_PARAMETER(VT_I2, SHORT, iVal, i2)
QUILLET_PARAMETER(VT_I4, LONG, lVal, i4)
QUILLET_PARAMETER(VT_BOOL, VARIANT_BOOL, boolVal, boolean)
QUILLET_PARAMETER(VT_BSTR, BSTR, bstrVal, bstr)
QUILLET_PARAMETER(VT_DISPATCH, IDispatch *, pdispVal, object)
#undef QUILLET_PARAMETER

// A variant by reference: the routine reads (and may write) the caller's own variant.
template <>
struct parameter<VT_BYREF | VT_VARIANT> {
    using type = VARIANT *;
    static void store(VARIANT &v, type x) noexcept { v.pvarVal = x; }
    static VARIANT &receive(const oleaut::disp::call &c, size_t i) { return *c.ref(i); }
};

template <VARTYPE Vt>
using parameter_t = typename parameter<Vt>::type;

// The argument as the member receives it through the dispatch path.
template <VARTYPE Vt>
VARIANT pass(parameter_t<Vt> x) noexcept
{
    VARIANT v;
    v.vt = Vt;
    parameter<Vt>::store(v, x);
    return v;
}

// False for a missing pointer, which the interface entry refuses with E_POINTER; a null
// string or object is a value.
template <VARTYPE Vt>
bool present(parameter_t<Vt> x) noexcept
{
    if constexpr (Vt == (VT_BYREF | VT_VARIANT))
        return x != nullptr;
    else
        return true;
}

// Where an interface entry delivers a member's result: nowhere (VT_EMPTY), an object
// (VT_DISPATCH) or a variant (VT_VARIANT).
template <VARTYPE Vt>
using result_slot_t =
    std::conditional_t<Vt == VT_EMPTY, std::nullptr_t, std::conditional_t<Vt == VT_DISPATCH, IDispatch **, VARIANT *>>;

}  // namespace quillet::automation

// --- the macros that walk a parameter sequence -------------------------------------------
// Each walk alternates two macros (_A, _B) so that the sequence `(..)(..)(..)` expands one
// element at a time; QUILLET_SEQ_END pastes _END onto whichever is left over, which
// expands to nothing. Every element expands with a leading comma; QUILLET_DROP_FIRST
// removes the first one where a list starts.
#define QUILLET_SEQ_END(...) QUILLET_SEQ_END_(__VA_ARGS__)
#define QUILLET_SEQ_END_(...) __VA_ARGS__##_END
#define QUILLET_DROP_FIRST(...) QUILLET_DROP_FIRST_(__VA_ARGS__)
#define QUILLET_DROP_FIRST_(first, ...) __VA_ARGS__

// `, LONG iXlChartType`: the parameters as the interface table declares them.
#define QUILLET_DECLARE_PARAMS(seq) QUILLET_SEQ_END(QUILLET_DECLARE_A seq)
#define QUILLET_DECLARE_ONE(vt, name, ...) , ::quillet::automation::parameter_t<vt> name
#define QUILLET_DECLARE_A(...) QUILLET_DECLARE_ONE(__VA_ARGS__) QUILLET_DECLARE_B
#define QUILLET_DECLARE_B(...) QUILLET_DECLARE_ONE(__VA_ARGS__) QUILLET_DECLARE_A
#define QUILLET_DECLARE_A_END
#define QUILLET_DECLARE_B_END

// `, iXlChartType`: the parameters as arguments.
#define QUILLET_PARAM_NAMES(seq) QUILLET_SEQ_END(QUILLET_NAME_A seq)
#define QUILLET_NAME_ONE(vt, name, ...) , name
#define QUILLET_NAME_A(...) QUILLET_NAME_ONE(__VA_ARGS__) QUILLET_NAME_B
#define QUILLET_NAME_B(...) QUILLET_NAME_ONE(__VA_ARGS__) QUILLET_NAME_A
#define QUILLET_NAME_A_END
#define QUILLET_NAME_B_END

// `, VT_I4`: the parameters' variant types.
#define QUILLET_PARAM_TYPES(seq) QUILLET_SEQ_END(QUILLET_TYPE_A seq)
#define QUILLET_TYPE_ONE(vt, name, ...) , vt
#define QUILLET_TYPE_A(...) QUILLET_TYPE_ONE(__VA_ARGS__) QUILLET_TYPE_B
#define QUILLET_TYPE_B(...) QUILLET_TYPE_ONE(__VA_ARGS__) QUILLET_TYPE_A
#define QUILLET_TYPE_A_END
#define QUILLET_TYPE_B_END

// `, {OLESTR("iXlChartType"), VT_I4, false, OLESTR("xlChartType")}`: the parameters as the dispatch
// table describes them.
#define QUILLET_DESCRIBE_PARAMS(seq) QUILLET_SEQ_END(QUILLET_DESCRIBE_A seq)
#define QUILLET_DESCRIBE_ONE(vt, name, ...) , ::oleaut::disp::param{OLESTR("") #name, vt, false __VA_OPT__(, __VA_ARGS__)}
#define QUILLET_DESCRIBE_A(...) QUILLET_DESCRIBE_ONE(__VA_ARGS__) QUILLET_DESCRIBE_B
#define QUILLET_DESCRIBE_B(...) QUILLET_DESCRIBE_ONE(__VA_ARGS__) QUILLET_DESCRIBE_A
#define QUILLET_DESCRIBE_A_END
#define QUILLET_DESCRIBE_B_END

// The result's own parameter in the interface table, and the argument that fills it.
#define QUILLET_RESULT_PARAM_VT_EMPTY
#define QUILLET_RESULT_PARAM_VT_DISPATCH , IDispatch **result
#define QUILLET_RESULT_PARAM_VT_VARIANT , VARIANT *result
#define QUILLET_RESULT_ARG_VT_EMPTY nullptr
#define QUILLET_RESULT_ARG_VT_DISPATCH result
#define QUILLET_RESULT_ARG_VT_VARIANT result

// The full parameter list of a member's interface entry.
#define QUILLET_ENTRY_PARAMS(result_vt, seq) \
    QUILLET_DROP_FIRST(QUILLET_DECLARE_PARAMS(seq) QUILLET_RESULT_PARAM_##result_vt)

#endif
