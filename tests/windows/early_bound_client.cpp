// An early-bound client of quillet.dll: calls _cQuillet through its vtable, as a C++ client
// compiled against the type library's header would, then checks the error information of a
// failing call and that the library may be unloaded once everything is released. Prints one
// line per failed check; the exit code is the number of failures.
#include <initguid.h>  // the header's DEFINE_GUIDs define the identifiers in this program

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include QUILLET_WIDL_HEADER

namespace {

int failures = 0;

void check(bool ok, const char *what, HRESULT hr = S_OK)
{
    if (!ok) {
        std::printf("FAIL early_bound_client: %s (0x%08lX)\n", what, static_cast<unsigned long>(hr));
        ++failures;
    }
}

// Calls a vtable member with each argument converted to the parameter type the header
// declares, whether it declares an enumeration, a short or a long for it.
template <class C, class... P, class... A>
HRESULT call(C *object, HRESULT (STDMETHODCALLTYPE C::*member)(P...), A... args)
{
    return (object->*member)(static_cast<P>(args)...);
}

// Reads an object property into an IDispatch, whatever interface of the host's library the
// header types it as (every one of them derives from IDispatch).
template <class C, class P>
HRESULT get_object(C *object, HRESULT (STDMETHODCALLTYPE C::*member)(P **), IDispatch **out)
{
    return (object->*member)(reinterpret_cast<P **>(out));
}

VARIANT text(const wchar_t *s)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(s);
    return v;
}

// The failing call's error information: ISupportErrorInfo says the interface reports errors,
// and the thread's error object names the component and describes the failure.
void check_error_info(_cQuillet *q)
{
    ISupportErrorInfo *support = nullptr;
    HRESULT hr = q->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void **>(&support));
    check(SUCCEEDED(hr) && support, "QueryInterface(ISupportErrorInfo)", hr);
    if (support) {
        hr = support->InterfaceSupportsErrorInfo(IID__cQuillet);
        check(hr == S_OK, "InterfaceSupportsErrorInfo(IID__cQuillet) == S_OK", hr);
        support->Release();
    }
    IErrorInfo *info = nullptr;
    hr = GetErrorInfo(0, &info);
    check(hr == S_OK && info, "GetErrorInfo after the failed call", hr);
    if (!info)
        return;
    BSTR source = nullptr, description = nullptr;
    info->GetSource(&source);
    info->GetDescription(&description);
    check(source && std::wstring(source) == L"Quillet.cQuillet", "error source is Quillet.cQuillet");
    check(description && std::wstring(description) == L"No data series in chart", "error description");
    SysFreeString(source);
    SysFreeString(description);
    info->Release();
}

// What the recording host received for one member, through QuilletTest.Recorder's CallsOf.
std::wstring recorded_calls_of(const wchar_t *member)
{
    CLSID clsid;
    IDispatch *recorder = nullptr;
    if (FAILED(CLSIDFromProgID(L"QuilletTest.Recorder", &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void **>(&recorder))))
        return L"<no recorder>";
    LPOLESTR name = const_cast<LPOLESTR>(L"CallsOf");
    DISPID id = 0;
    VARIANT arg = text(member), result;
    VariantInit(&result);
    DISPPARAMS params{&arg, nullptr, 1, 0};
    std::wstring out = L"<CallsOf failed>";
    const IID none{};  // IID_NULL, whose GUID_NULL initguid.h leaves undeclared here
    if (SUCCEEDED(recorder->GetIDsOfNames(none, &name, 1, LOCALE_USER_DEFAULT, &id)) &&
        SUCCEEDED(recorder->Invoke(id, none, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                                   nullptr)) &&
        result.vt == VT_BSTR)
        out = result.bstrVal;
    VariantClear(&arg);
    VariantClear(&result);
    recorder->Release();
    return out;
}

bool ends_with(const std::wstring &s, const std::wstring &tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void exercise(_cQuillet *q)
{
    HRESULT hr = call(q, &_cQuillet::SetChartOptions, 51, 400, 300);
    check(hr == S_OK, "SetChartOptions(51, 400, 300)", hr);
    check(ends_with(recorded_calls_of(L"ChartType"), L".put ChartType(I4 51)\n"), "the host received ChartType 51");
    check(ends_with(recorded_calls_of(L"Width"), L".put Width(R8 400)\n"), "the host received the plot width 400");

    VARIANT main = text(L"Sales"), x = text(L"Month"), y;
    VariantInit(&y);
    y.vt = VT_I4;
    y.lVal = 2024;
    hr = q->SetChartTitles(&main, &x, &y);
    check(hr == S_OK, "SetChartTitles(&main, &x, &y)", hr);
    check(main.vt == VT_BSTR && std::wstring(main.bstrVal) == L"Sales", "the title variable is left as it was");
    VariantClear(&main);
    VariantClear(&x);
    check(ends_with(recorded_calls_of(L"Text"), L".put Text(I4 2024)\n"), "the y-axis title reached the host as I4");

    IDispatch *chart = nullptr;
    hr = get_object(q, &_cQuillet::get_oQuillet, &chart);
    check(hr == S_OK && chart, "get_oQuillet", hr);
    if (chart)
        chart->Release();

    // Without series the export fails with the component's validation error.
    BSTR file = SysAllocString(L"C:\\windows\\temp\\early.gif");
    VARIANT result;
    VariantInit(&result);
    hr = q->ExportToGif(file, &result);
    SysFreeString(file);
    check(hr == static_cast<HRESULT>(0x800403E9), "ExportToGif without series fails with 0x800403E9", hr);
    check(result.vt == VT_EMPTY, "a failed call delivers no result");
    check_error_info(q);
}

}  // namespace

int main()
{
    HRESULT hr = CoInitialize(nullptr);
    check(SUCCEEDED(hr), "CoInitialize", hr);
    _cQuillet *q = nullptr;
    hr = CoCreateInstance(CLSID_cQuillet, nullptr, CLSCTX_INPROC_SERVER, IID__cQuillet, reinterpret_cast<void **>(&q));
    check(hr == S_OK && q, "CoCreateInstance(CLSID_cQuillet)", hr);
    if (q) {
        exercise(q);
        q->Release();
    }

    HMODULE module = GetModuleHandleW(L"quillet.dll");
    check(module != nullptr, "quillet.dll is loaded");
    if (module) {
        using can_unload = HRESULT(STDAPICALLTYPE *)();
        auto fn = reinterpret_cast<can_unload>(reinterpret_cast<void *>(GetProcAddress(module, "DllCanUnloadNow")));
        check(fn != nullptr, "GetProcAddress(DllCanUnloadNow)");
        if (fn) {
            hr = fn();
            check(hr == S_OK, "DllCanUnloadNow == S_OK after releasing everything", hr);
        }
    }
    CoUninitialize();
    if (failures == 0)
        std::printf("early_bound_client: all checks passed\n");
    return failures;
}
