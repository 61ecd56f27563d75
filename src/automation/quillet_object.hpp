// cQuillet: the component's class as clients see it. IDispatch and the _cQuillet
// interface table both reach the same dispatch table, whose rows run the chart builder's
// routines; every entry of the interface table is made from the member list, so each
// member's signature is written once (quillet_interface.hpp).
#ifndef QUILLET_AUTOMATION_QUILLET_OBJECT_HPP
#define QUILLET_AUTOMATION_QUILLET_OBJECT_HPP

#include <utility>

#include "automation/quillet_interface.hpp"
#include "chart/chart_builder.hpp"
#include "oleaut/dispatch/object.hpp"

namespace quillet {

class cQuillet : public oleaut::disp::object<cQuillet, _cQuillet> {
public:
    static const oleaut::disp::table<cQuillet> &dispatch_table();

    // Runs the constructor; a failure leaves no object and reaches the creator.
    static cQuillet *create();

    // --- _cQuillet's interface table: each entry runs the same member as Invoke ----------
#define QUILLET_FORWARDING_ENTRY(entry, name, kind, routine, result_vt, result_type, late_bound, params) \
    STDMETHOD(entry)(QUILLET_ENTRY_PARAMS(result_vt, params)) override                                  \
    {                                                                                                   \
        return forward<late_bound, &chart_builder::routine, result_vt QUILLET_PARAM_TYPES(params)>(    \
            DISPID_##name, INVOKE_##kind, QUILLET_RESULT_ARG_##result_vt QUILLET_PARAM_NAMES(params));  \
    }
    QUILLET_CQUILLET_MEMBERS(QUILLET_FORWARDING_ENTRY)
#undef QUILLET_FORWARDING_ENTRY

private:
    cQuillet() = default;
    ~cQuillet() override = default;

    // One dispatch-table row's handler: the routine with the bound arguments, its answer
    // (if any) as the call's result.
    template <auto Routine, VARTYPE Result, VARTYPE... Params>
    static void run(cQuillet &self, oleaut::disp::call &c)
    {
        run_with<Routine, Result, Params...>(self, c, std::make_index_sequence<sizeof...(Params)>{});
    }
    template <auto Routine, VARTYPE Result, VARTYPE... Params, size_t... I>
    static void run_with(cQuillet &self, oleaut::disp::call &c, std::index_sequence<I...>)
    {
        if constexpr (Result == VT_EMPTY)
            (self.chart_.*Routine)(automation::parameter<Params>::receive(c, I)...);
        else
            c.result() = (self.chart_.*Routine)(automation::parameter<Params>::receive(c, I)...);
    }

    // One interface-table entry: refuses missing pointers, then runs the member through
    // the same path as Invoke (a member that is not late bound runs its routine directly)
    // and delivers the result where the caller asked for it.
    template <bool LateBound, auto Routine, VARTYPE Result, VARTYPE... Params>
    HRESULT forward(DISPID id, INVOKEKIND kind, automation::result_slot_t<Result> result,
                    automation::parameter_t<Params>... args) noexcept
    {
        if constexpr (Result != VT_EMPTY) {
            if (!result)
                return E_POINTER;
        }
        if (!(automation::present<Params>(args) && ...))
            return E_POINTER;
        if constexpr (!LateBound) {
            static_assert(Result == VT_EMPTY, "a member outside Invoke answers nothing");
            static_assert(noexcept((chart_.*Routine)(args...)), "a member outside Invoke cannot fail");
            (chart_.*Routine)(args...);
            return S_OK;
        } else if constexpr (Result == VT_DISPATCH) {
            oleaut::variant v;
            const HRESULT hr = call_member(id, kind, {automation::pass<Params>(args)...}, v.put());
            *result = SUCCEEDED(hr) && v.vt == VT_DISPATCH ? std::exchange(v.pdispVal, nullptr) : nullptr;
            return hr;
        } else if constexpr (Result == VT_VARIANT) {
            return call_member(id, kind, {automation::pass<Params>(args)...}, result);
        } else {
            return call_member(id, kind, {automation::pass<Params>(args)...});
        }
    }

    chart_builder chart_;

    friend class oleaut::disp::object<cQuillet, _cQuillet>;
};

}  // namespace quillet

#endif
