// object<Obj>: a complete IDispatch (and optionally a dual interface) for a class that
// declares its members once, in a table<Obj>. Reference counting, apartment checks,
// argument binding, error reporting and type information all come from here.
//
//   class counter : public oleaut::disp::object<counter> {
//   public:
//       static const oleaut::disp::table<counter> &dispatch_table();
//       LONG value = 0;
//   };
//   const disp::table<counter> &counter::dispatch_table() {
//       static const disp::table<counter> t(OLESTR("ICounter"), IID_ICounter, TYPEFLAG_FDISPATCHABLE, {
//           {OLESTR("Value"), DISPID_VALUE, INVOKE_PROPERTYGET, {}, VT_I4,
//            [](counter &c, disp::call &k) { k.result() = variant::i4(c.value); }},
//       });
//       return t;
//   }
#ifndef OLEAUT_DISPATCH_OBJECT_HPP
#define OLEAUT_DISPATCH_OBJECT_HPP

#include <initializer_list>
#include <vector>
#ifndef _WIN32
#include <thread>
#endif

#include "../com_error.hpp"
#include "../unknown.hpp"
#include "binder.hpp"
#include "error_info_support.hpp"
#include "module.hpp"
#include "typeinfo.hpp"

namespace oleaut::disp {

// The calling thread, as the apartment checks compare it. MinGW's win32 thread model
// has no std::thread, so Windows asks the platform.
#ifdef _WIN32
using thread_identity = DWORD;
inline thread_identity current_thread() noexcept { return GetCurrentThreadId(); }
#else
using thread_identity = std::thread::id;
inline thread_identity current_thread() noexcept { return std::this_thread::get_id(); }
#endif

template <class Obj>
using handler = void (*)(Obj &self, call &args);

// One row of a member table, as a class writes it.
template <class Obj>
struct member {
    const OLECHAR *name;
    DISPID id;
    INVOKEKIND kind;
    std::initializer_list<param> params;
    VARTYPE result;
    handler<Obj> fn;
    const OLECHAR *result_type_name = nullptr;
    WORD func_flags = 0;
    bool vtable_only = false;
};

template <class Obj>
class table {
public:
    table(const OLECHAR *name, const GUID &iid, WORD type_flags, std::initializer_list<member<Obj>> rows)
    {
        info_.name = name;
        info_.iid = iid;
        info_.type_flags = type_flags;
        for (const member<Obj> &r : rows) {
            info_.members.push_back(member_info{r.name, r.id, r.kind, std::vector<param>(r.params), r.result,
                                                r.result_type_name, r.func_flags, r.vtable_only});
            handlers_.push_back(r.fn);
        }
    }
    const interface_info &info() const noexcept { return info_; }
    handler<Obj> handler_at(size_t i) const noexcept { return handlers_[i]; }

    // Where GetTypeInfo gets its answer: by default a standalone type info over the table;
    // a class in a type library points this at the library's entry instead.
    using type_info_source = com_ptr<ITypeInfo> (*)();
    void set_type_info_source(type_info_source s) noexcept { type_info_source_ = s; }
    com_ptr<ITypeInfo> type_info() const
    {
        return type_info_source_ ? type_info_source_() : make_type_info(info_);
    }

private:
    interface_info info_;
    std::vector<handler<Obj>> handlers_;
    type_info_source type_info_source_ = nullptr;
};

// IUnknown comes from the kit: the object counts in its library's live count and
// answers IUnknown, IDispatch and its table's interface with the Iface base, and
// ISupportErrorInfo with a part of its own (every failure of those leaves error info).
template <class Obj, class Iface = IDispatch>
class object : public unknown<Obj, interfaces<Iface>, self_owned<module_counted>> {
public:
    // The IIDs only the table knows: IDispatch (for a dual Iface) and the table's own.
    void *interface_for(REFIID riid) noexcept
    {
        if (reports_error_info(riid))
            return static_cast<Iface *>(this);
        if (IsEqualIID(riid, IID_ISupportErrorInfo))
            return static_cast<ISupportErrorInfo *>(&error_info_support_);
        return nullptr;
    }
    bool reports_error_info(REFIID riid) const noexcept
    {
        return IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, Obj::dispatch_table().info().iid);
    }

    // --- IDispatch ------------------------------------------------------------------------
    STDMETHOD(GetTypeInfoCount)(UINT *pctinfo) override
    {
        if (!pctinfo)
            return E_POINTER;
        *pctinfo = 1;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID, ITypeInfo **ppTInfo) override
    {
        if (!ppTInfo)
            return E_POINTER;
        *ppTInfo = nullptr;
        if (iTInfo != 0)
            return DISP_E_BADINDEX;
        try {
            *ppTInfo = Obj::dispatch_table().type_info().detach();
            return *ppTInfo ? S_OK : E_FAIL;
        } catch (...) {
            return hresult_from_exception();
        }
    }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR *rgszNames, UINT cNames, LCID, DISPID *rgDispId) override
    {
        return ids_of_names(Obj::dispatch_table().info(), rgszNames, cNames, rgDispId);
    }
    STDMETHOD(Invoke)(DISPID dispIdMember, REFIID, LCID lcid, WORD wFlags, DISPPARAMS *pDispParams,
                      VARIANT *pVarResult, EXCEPINFO *pExcepInfo, UINT *puArgErr) override
    {
        if (pVarResult)
            VariantInit(pVarResult);
        if (current_thread() != owner_)
            return RPC_E_WRONG_THREAD;
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        DISPPARAMS *params = pDispParams ? pDispParams : &none;
        try {
            return run(dispIdMember, lcid, wFlags, params, pVarResult, puArgErr);
        } catch (...) {
            com_error e = current_exception_as_com_error();
            e.publish();
            if (!pExcepInfo)
                return e.hr();
            e.fill(pExcepInfo);
            return DISP_E_EXCEPTION;
        }
    }

protected:
    // A new object holds one reference, owned by whoever created it (com_ptr::attach).
    object() : owner_(current_thread()) {}

    // For the vtable methods of a dual interface: runs the same member as Invoke with the
    // given arguments (in declaration order). A failure returns the error's own HRESULT
    // and leaves its description in the thread's error info.
    HRESULT call_member(DISPID id, INVOKEKIND kind, std::initializer_list<VARIANT> args,
                        VARIANT *result = nullptr) noexcept
    {
        if (result)
            VariantInit(result);
        if (current_thread() != owner_)
            return RPC_E_WRONG_THREAD;
        VARIANT reversed[call::max_params];
        if (args.size() > call::max_params)
            return DISP_E_BADPARAMCOUNT;
        size_t n = 0;
        for (auto it = args.end(); it != args.begin();)
            reversed[n++] = *--it;
        DISPID put_id = DISPID_PROPERTYPUT;
        bool is_put = kind == INVOKE_PROPERTYPUT || kind == INVOKE_PROPERTYPUTREF;
        DISPPARAMS dp{reversed, is_put ? &put_id : nullptr, static_cast<UINT>(n), is_put ? 1u : 0u};
        try {
            HRESULT hr = run(id, LOCALE_EN_US, static_cast<WORD>(kind), &dp, result, nullptr);
            if (FAILED(hr))
                com_error(hr).publish();
            return hr;
        } catch (...) {
            return hresult_from_exception();
        }
    }

private:
    HRESULT run(DISPID id, LCID lcid, WORD flags, DISPPARAMS *params, VARIANT *result, UINT *puArgErr)
    {
        const table<Obj> &t = Obj::dispatch_table();
        selection sel = select_member(t.info(), id, flags, params);
        if (FAILED(sel.hr))
            return sel.hr;
        Obj &self = static_cast<Obj &>(*this);
        call args;
        if (sel.forward_to_default) {
            args.reset(0, lcid);
            t.handler_at(sel.index)(self, args);
            variant &holder = args.result();
            if (holder.vt != VT_DISPATCH || !holder.pdispVal)
                return DISP_E_NOTACOLLECTION;
            EXCEPINFO ei{};
            HRESULT hr = holder.pdispVal->Invoke(DISPID_VALUE, IID_NULL, lcid, flags, params, result, &ei, puArgErr);
            if (hr == DISP_E_EXCEPTION)
                throw com_error::from_invoke(hr, ei);  // reported again as this call's exception
            return hr;
        }
        const member_info &m = t.info().members[sel.index];
        HRESULT hr = bind_arguments(m, params, args, puArgErr);
        if (FAILED(hr))
            return hr;
        t.handler_at(sel.index)(self, args);
        if (result && m.result != VT_EMPTY)
            args.result().detach(result);
        return S_OK;
    }

    thread_identity owner_;
    error_info_support<object> error_info_support_{*this};
};

}  // namespace oleaut::disp

#endif
