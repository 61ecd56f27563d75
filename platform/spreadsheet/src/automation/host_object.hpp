// The base of every object of the host's object model: a toolkit automation object
// whose Invoke first asks its scope whether the object may still be used, so that
// the application-has-quit and workbook-is-closed refusals hold for every member of
// every object without each member repeating the check.
#ifndef SHEETHOST_AUTOMATION_HOST_OBJECT_HPP
#define SHEETHOST_AUTOMATION_HOST_OBJECT_HPP

#include <thread>
#include <utility>

#include "automation/object_scope.hpp"
#include "oleaut/dispatch/object.hpp"

namespace sheethost::automation {

template <class Obj>
class host_object : public oleaut::disp::object<Obj> {
public:
    STDMETHOD(Invoke)(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS *params, VARIANT *result,
                      EXCEPINFO *excep, UINT *arg_err) override
    {
        if (result)
            VariantInit(result);
        // The scope is state of the creating thread; another thread gets the toolkit's
        // own refusal before anything is read.
        if (std::this_thread::get_id() != owner_)
            return RPC_E_WRONG_THREAD;
        try {
            scope_.check(Obj::dispatch_table().info().name);
        } catch (...) {
            oleaut::com_error e = oleaut::current_exception_as_com_error();
            e.publish();
            if (!excep)
                return e.hr();
            e.fill(excep);
            return DISP_E_EXCEPTION;
        }
        HRESULT hr = oleaut::disp::object<Obj>::Invoke(id, riid, lcid, flags, params, result, excep, arg_err);
        // The classic host lets a property get call a method (Workbooks.Add) and a method
        // call read a property (Workbooks.Item): clients written against it do both.
        // Nothing ran when the member was not found, so asking again is safe.
        if (hr == DISP_E_MEMBERNOTFOUND && (flags == DISPATCH_PROPERTYGET || flags == DISPATCH_METHOD))
            hr = oleaut::disp::object<Obj>::Invoke(id, riid, lcid, DISPATCH_METHOD | DISPATCH_PROPERTYGET, params,
                                                   result, excep, arg_err);
        return hr;
    }

    const object_scope &scope() const { return scope_; }

protected:
    explicit host_object(object_scope scope) : scope_(std::move(scope)), owner_(std::this_thread::get_id()) {}

private:
    object_scope scope_;
    std::thread::id owner_;
};

// Hands a freshly created object (holding its one reference) to the caller as a
// VT_DISPATCH result.
template <class Obj>
oleaut::variant dispatch_result(Obj *fresh)
{
    oleaut::variant v;
    v.vt = VT_DISPATCH;
    v.pdispVal = fresh;
    return v;
}

}  // namespace sheethost::automation

#endif
