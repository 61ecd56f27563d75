#include "fake_host.hpp"

#include <cstdio>
#include <map>
#include <memory>

#include "comutil.hpp"
#include "oleaut/dispatch/describe.hpp"
#include "oleaut/dispatch/server.hpp"
#include "oleaut/unknown.hpp"

namespace fake_host {

namespace {

state g_state;
std::map<oleaut::ostring, DISPID> g_ids;  // one id per name, members and parameters alike
std::map<DISPID, std::string> g_names;
int g_next_instance = 0;

DISPID id_of(const oleaut::ostring &name)
{
    oleaut::ostring key;
    for (OLECHAR c : name)
        key += (c >= OLESTR('A') && c <= OLESTR('Z')) ? static_cast<OLECHAR>(c + 32) : c;
    auto it = g_ids.find(key);
    if (it != g_ids.end())
        return it->second;
    DISPID id = 1000 + static_cast<DISPID>(g_ids.size());
    g_ids[key] = id;
    g_names[id] = oleaut::utf16_to_utf8(name);
    return id;
}

struct chart_data {
    int series = 0;
};

struct recordset_data {
    oleaut::ostring field;
    std::vector<oleaut::variant> rows;
    size_t cursor = 0;
};

class object;
std::string label(IDispatch *d);

class object final : public oleaut::unknown<object, oleaut::interfaces<IDispatch>> {
public:
    object(std::string cls, std::shared_ptr<chart_data> chart = nullptr, std::shared_ptr<recordset_data> rs = nullptr)
        : cls_(std::move(cls)), instance_(++g_next_instance), chart_(std::move(chart)), rs_(std::move(rs))
    {
        ++g_state.objects_alive;
    }

    std::string name() const { return cls_ + "#" + std::to_string(instance_); }

    STDMETHOD(GetTypeInfoCount)(UINT *n) override
    {
        *n = 0;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo **) override { return DISP_E_BADINDEX; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR *names, UINT count, LCID, DISPID *ids) override
    {
        for (UINT i = 0; i < count; ++i)
            ids[i] = id_of(names[i]);
        return S_OK;
    }
    STDMETHOD(Invoke)(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *dp, VARIANT *result, EXCEPINFO *ei,
                      UINT *) override;

private:
    ~object() { --g_state.objects_alive; }
    HRESULT answer(const std::string &member, WORD flags, const std::vector<const VARIANT *> &positional,
                   VARIANT *result, EXCEPINFO *ei);

    std::string cls_;
    int instance_;
    std::shared_ptr<chart_data> chart_;
    std::shared_ptr<recordset_data> rs_;
};

std::string label(IDispatch *d)
{
    if (!d)
        return "null";
    return "<" + static_cast<object *>(d)->name() + ">";
}

std::string value_text(const VARIANT &v)
{
    char buf[64];
    switch (v.vt) {
    case VT_EMPTY: return "";
    case VT_NULL: return "null";
    case VT_I2: return std::to_string(v.iVal);
    case VT_I4: return std::to_string(v.lVal);
    case VT_BOOL: return std::to_string(v.boolVal);
    case VT_R8: std::snprintf(buf, sizeof buf, "%.17g", v.dblVal); return buf;
    case VT_BSTR: return v.bstrVal ? "\"" + oleaut::utf16_to_utf8(oleaut::ostring_view(v.bstrVal, SysStringLen(v.bstrVal))) + "\"" : "nullstr";
    case VT_ERROR: return v.scode == DISP_E_PARAMNOTFOUND ? "missing" : std::to_string(v.scode);
    case VT_DISPATCH: return label(v.pdispVal);
    // A caller's reference may be null; the fake records it, as a host would refuse it.
    case VT_BYREF | VT_I4: return v.plVal ? "&" + std::to_string(*v.plVal) : "&null";
    case VT_BYREF | VT_VARIANT: return v.pvarVal ? "&" + value_text(*v.pvarVal) : "&null";
    default: {
        oleaut::variant s;
        if (SUCCEEDED(VariantChangeTypeEx(s.put(), &v, LOCALE_EN_US, 0, VT_BSTR)))
            return oleaut::utf16_to_utf8(oleaut::ostring_view(s.bstrVal, SysStringLen(s.bstrVal)));
        return "?";
    }
    }
}

void answer_object(VARIANT *result, IDispatch *obj)
{
    if (result) {
        result->vt = VT_DISPATCH;
        result->pdispVal = obj;
    } else {
        obj->Release();
    }
}

HRESULT refuse(EXCEPINFO *ei, HRESULT number, const oleaut::ostring &source, const oleaut::ostring &description)
{
    oleaut::com_error(number, source, description).fill(ei);
    return ei ? DISP_E_EXCEPTION : number;
}

HRESULT object::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *dp, VARIANT *result, EXCEPINFO *ei, UINT *)
{
    if (result)
        VariantInit(result);
    recorded_call call;
    call.object = name();
    call.member = g_names.count(id) ? g_names[id] : std::to_string(id);
    call.flags = flags;
    std::vector<const VARIANT *> positional;
    const UINT named = dp ? dp->cNamedArgs : 0;
    for (UINT i = dp ? dp->cArgs : 0; i > named; --i)
        positional.push_back(&dp->rgvarg[i - 1]);
    for (const VARIANT *v : positional)
        call.args.push_back({v->vt, value_text(*v), ""});
    for (UINT i = 0; i < named; ++i) {
        DISPID nid = dp->rgdispidNamedArgs[i];
        std::string n = nid == DISPID_PROPERTYPUT ? "=" : (g_names.count(nid) ? g_names[nid] : std::to_string(nid));
        call.args.push_back({dp->rgvarg[i].vt, value_text(dp->rgvarg[i]), n});
    }
    if (named == 1 && dp->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT)
        positional.push_back(&dp->rgvarg[0]);  // the put's value comes last
    g_state.calls.push_back(call);

    for (fault &f : g_state.faults) {
        if ((!f.object_class.empty() && f.object_class != cls_) || f.member != call.member)
            continue;
        ++f.seen;
        if (f.occurrence == 0 || f.seen == f.occurrence)
            return refuse(ei, f.number, f.source, f.description);
    }
    return answer(call.member, flags, positional, result, ei);
}

HRESULT object::answer(const std::string &m, WORD flags, const std::vector<const VARIANT *> &args, VARIANT *result,
                       EXCEPINFO *ei)
{
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    auto child = [&](const std::string &cls) { answer_object(result, new object(cls, chart_, rs_)); };
    auto missing = [&](size_t i) {
        return i >= args.size() || (args[i]->vt == VT_ERROR && args[i]->scode == DISP_E_PARAMNOTFOUND);
    };
    if (put)
        return S_OK;  // every put is accepted (and recorded)

    if (cls_ == "Application") {
        if (m == "Workbooks")
            return child("Workbooks"), S_OK;
        if (m == "ActiveWorkbook")
            return child("Workbook"), S_OK;
        if (m == "Quit")
            return g_state.quit_called = true, S_OK;
    } else if (cls_ == "Workbooks") {
        if (m == "Add")
            return ++g_state.workbooks_open, child("Workbook"), S_OK;
        if (m == "Count") {
            if (result)
                *result = oleaut::variant::i4(g_state.workbooks_open);
            return S_OK;
        }
        if (m == "Item")
            return child("Workbook"), S_OK;
    } else if (cls_ == "Workbook") {
        if (m == "Worksheets")
            return child("Worksheets"), S_OK;
        if (m == "Close")
            return --g_state.workbooks_open, S_OK;
    } else if (cls_ == "Worksheets") {
        if (m == "Item")
            return child("Worksheet"), S_OK;
        if (m == "Add")
            return answer_object(result, new object("Chart", std::make_shared<chart_data>())), S_OK;
    } else if (cls_ == "Worksheet") {
        if (m == "Cells" || m == "Range")
            return child("Range"), S_OK;
    } else if (cls_ == "Range") {
        if (m == "Item")
            return child("Range"), S_OK;
        if (m == "ClearContents")
            return S_OK;
    } else if (cls_ == "Chart") {
        if (m == "SeriesCollection")
            return child(missing(0) ? "SeriesCollection" : "Series"), S_OK;
        static const std::map<std::string, std::string> parts = {{"Legend", "Legend"}, {"PlotArea", "PlotArea"},
                                                                 {"ChartTitle", "ChartTitle"}, {"Walls", "Walls"},
                                                                 {"Floor", "Floor"}, {"Axes", "Axis"}};
        if (parts.count(m))
            return child(parts.at(m)), S_OK;
        if (m == "Export") {
            if (result)
                *result = oleaut::variant::boolean(true);
            return S_OK;
        }
    } else if (cls_ == "SeriesCollection") {
        if (m == "Count") {
            if (result)
                *result = oleaut::variant::i4(g_state.series_count_answer >= 0 ? g_state.series_count_answer
                                                                                 : chart_->series);
            return S_OK;
        }
        if (m == "NewSeries")
            return ++chart_->series, child("Series"), S_OK;
    } else if (cls_ == "Series") {
        if (m == "Border")
            return child("Border"), S_OK;
        if (m == "Fill")
            return child("ChartFillFormat"), S_OK;
        if (m == "Delete")
            return chart_->series -= g_state.delete_keeps_series ? 0 : 1, S_OK;
        if (m == "ApplyDataLabels")
            return S_OK;
    } else if (cls_ == "Walls" || cls_ == "Floor") {
        if (m == "Border")
            return child("Border"), S_OK;
        if (m == "Fill")
            return child("ChartFillFormat"), S_OK;
    } else if (cls_ == "ChartFillFormat") {
        if (m == "ForeColor")
            return child("ChartColorFormat"), S_OK;
        if (m == "OneColorGradient" || m == "PresetGradient")
            return S_OK;
    } else if (cls_ == "ChartTitle") {
        if (m == "Font")
            return child("Font"), S_OK;
    } else if (cls_ == "Axis") {
        if (m == "AxisTitle")
            return child("AxisTitle"), S_OK;
    } else if (cls_ == "AxisTitle") {
        if (m == "Characters")
            return child("Characters"), S_OK;
        if (m == "Font")
            return child("Font"), S_OK;
    } else if (cls_ == "Recordset") {
        if (m == "MoveFirst")
            return rs_->cursor = 0, S_OK;
        if (m == "MoveNext")
            return ++rs_->cursor, S_OK;
        if (m == "EOF") {
            if (result)
                *result = oleaut::variant::boolean(rs_->cursor >= rs_->rows.size());
            return S_OK;
        }
        if (m == "Fields")
            return child("Fields"), S_OK;
    } else if (cls_ == "Fields") {
        if (m == "Item") {
            const VARIANT *index = args.empty() ? nullptr : args[0];
            if (!index || index->vt != VT_BSTR ||
                !oleaut::disp::names_equal(oleaut::ostring_view(index->bstrVal, SysStringLen(index->bstrVal)),
                                            rs_->field))
                return refuse(ei, static_cast<HRESULT>(0x800A0CC1), OLESTR("FakeRecordset"), OLESTR("No field of that name"));
            return child("Field"), S_OK;
        }
    } else if (cls_ == "Field") {
        if (m == "Value") {
            if (rs_->cursor >= rs_->rows.size())
                return refuse(ei, static_cast<HRESULT>(0x800A0BCD), OLESTR("FakeRecordset"), OLESTR("No current row"));
            if (result)
                VariantCopy(result, &rs_->rows[rs_->cursor]);
            return S_OK;
        }
    }
    return DISP_E_MEMBERNOTFOUND;
}

class factory final : public oleaut::unknown<factory, oleaut::interfaces<IClassFactory>> {
public:
    STDMETHOD(CreateInstance)(IUnknown *, REFIID riid, void **ppv) override
    {
        ++g_state.applications_created;
        object *app = new object("Application");
        HRESULT hr = app->QueryInterface(riid, ppv);
        app->Release();
        return hr;
    }
    STDMETHOD(LockServer)(BOOL) override { return S_OK; }

private:
    ~factory() = default;
};

// {5B0E7A31-3C2D-4F19-A6E4-71C2D9A0F001}
constexpr GUID kCLSID_FakeHost = {0x5B0E7A31, 0x3C2D, 0x4F19, {0xA6, 0xE4, 0x71, 0xC2, 0xD9, 0xA0, 0xF0, 0x01}};

}  // namespace

void state::reset()
{
    g_next_instance = 0;
    calls.clear();
    faults.clear();
    workbooks_open = 0;
    applications_created = 0;
    quit_called = false;
    delete_keeps_series = false;
    series_count_answer = -1;
}

IDispatch *state::make_recordset(const oleaut::ostring &field, const std::vector<VARIANT> &rows)
{
    auto data = std::make_shared<recordset_data>();
    data->field = field;
    for (const VARIANT &v : rows)
        data->rows.emplace_back(v);
    return new object("Recordset", nullptr, data);
}

IDispatch *state::make_chart() { return new object("Chart", std::make_shared<chart_data>()); }

}  // namespace fake_host

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

FAKE_EXPORT fake_host::state *FakeHostState() { return &fake_host::g_state; }

FAKE_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void **ppv)
{
    if (!IsEqualCLSID(clsid, fake_host::kCLSID_FakeHost))
        return CLASS_E_CLASSNOTAVAILABLE;
    auto *f = new fake_host::factory();
    HRESULT hr = f->QueryInterface(riid, ppv);
    f->Release();
    return hr;
}

// Answers from the live-object count like a real server, so that a reference the component
// forgets to release keeps the fake loaded and fails the test. The tests hold their own
// dlopen handle for as long as they read the fake's state.
FAKE_EXPORT HRESULT DllCanUnloadNow() { return fake_host::g_state.objects_alive == 0 ? S_OK : S_FALSE; }

FAKE_EXPORT HRESULT DllRegisterServer()
{
    oleaut::disp::class_entry entry{&fake_host::kCLSID_FakeHost, OLESTR("Excel.Application"), OLESTR("Recording fake host"),
                                    nullptr};
    return oleaut::disp::register_classes({&entry, 1});
}

FAKE_EXPORT HRESULT DllUnregisterServer()
{
    oleaut::disp::class_entry entry{&fake_host::kCLSID_FakeHost, OLESTR("Excel.Application"), OLESTR("Recording fake host"),
                                    nullptr};
    return oleaut::disp::unregister_classes({&entry, 1});
}
