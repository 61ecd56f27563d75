// IDispatch::Invoke on a cQuillet object with whatever a client could pass: any member
// id (the component's own and others), any invoke flags, any number of arguments of any
// variant type (references, arrays, null pointers, objects), named arguments, locales,
// and null DISPPARAMS, result, EXCEPINFO and argument-error pointers. Calls to
// GetIDsOfNames with arbitrary names are mixed in.
//
// The component runs against the recording fake host, registered in a private registry:
// the fake writes no file, whatever ExportToGif is given, and the input can make any of
// its calls fail, which drives every failure mode. Recordsets are the fake's, with rows
// the input describes. Events go to a private log.
//
// After every input each object, the component's and the host's, must be released.
#include <dlfcn.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "automation/quillet_object.hpp"
#include "oleaut/dispatch/module.hpp"
#include "support/fake_host/fake_host.hpp"
#include "support/variant_maker.hpp"

namespace {

using fuzz_support::variant_maker;
using oleaut::com_ptr;

constexpr size_t kMaxCalls = 8;
constexpr UINT kMaxArgs = 7;
constexpr size_t kMaxPoolObjects = 16;
constexpr LCID kLocales[] = {LOCALE_EN_US, 0, 0x0400, 0x0800, 1031, 1036};
constexpr DISPID kOtherIds[] = {DISPID_VALUE, DISPID_UNKNOWN, DISPID_PROPERTYPUT, DISPID_NEWENUM, 0x40030001,
                                0x60030001, 0x60030009};

// The fake host's classes and members, for faults the input injects.
constexpr const char *kFaultClasses[] = {"",       "Application", "Workbooks", "Workbook", "Worksheets", "Worksheet",
                                         "Range",  "Chart",       "SeriesCollection", "Series", "Border",
                                         "ChartFillFormat", "ChartTitle", "Font", "Axis", "AxisTitle",
                                         "Characters", "Recordset", "Fields", "Field", "Walls", "Floor",
                                         "PlotArea", "Legend"};
constexpr const char *kFaultMembers[] = {
    "Workbooks", "ActiveWorkbook", "Add", "Count", "Item", "Worksheets", "Close", "Quit", "Cells", "Range",
    "ClearContents", "SeriesCollection", "Legend", "PlotArea", "ChartTitle", "Walls", "Floor", "Axes", "Export",
    "NewSeries", "Border", "Fill", "Delete", "ApplyDataLabels", "ForeColor", "OneColorGradient", "PresetGradient",
    "Font", "AxisTitle", "Characters", "MoveFirst", "MoveNext", "EOF", "Fields", "Value", "Visible",
    "SheetsInNewWorkbook", "ChartType", "Values", "Name", "Weight", "LineStyle", "HasTitle", "Caption", "Text",
    "Size", "FontStyle", "Width", "Height", "HasLegend", "Position", "XValues", "SizeWithWindow", "HasDataTable"};
constexpr HRESULT kFaultNumbers[] = {static_cast<HRESULT>(0x800A03EC), E_FAIL, DISP_E_TYPEMISMATCH, E_OUTOFMEMORY,
                                     static_cast<HRESULT>(0x800A0BCD), DISP_E_MEMBERNOTFOUND, S_FALSE};

struct environment {
    std::string directory;
    std::string event_log;
    void *fake_library = nullptr;
    fake_host::state *host = nullptr;
};
environment g_env;

void remove_directory() { std::filesystem::remove_all(g_env.directory); }

[[noreturn]] void fatal(const std::string &what)
{
    std::fprintf(stderr, "quillet_invoke_fuzzer: %s\n", what.c_str());
    std::abort();
}

void add_faults(FuzzedDataProvider &in)
{
    const int count = in.ConsumeIntegralInRange<int>(0, 3);
    for (int i = 0; i < count; ++i) {
        fake_host::fault f;
        f.object_class = in.PickValueInArray(kFaultClasses);
        f.member = in.PickValueInArray(kFaultMembers);
        f.occurrence = in.ConsumeIntegralInRange<int>(0, 4);
        f.number = in.ConsumeBool() ? in.PickValueInArray(kFaultNumbers) : in.ConsumeIntegral<HRESULT>();
        if (in.ConsumeBool())
            f.description = u"";
        g_env.host->faults.push_back(f);
    }
}

// The objects arguments are drawn from: the fake's recordsets and charts, and whatever
// objects earlier calls answered (the component's chart, for one).
class object_pool {
public:
    explicit object_pool(FuzzedDataProvider &in) : in_(in) {}

    void add(IDispatch *d)
    {
        if (d && objects_.size() < kMaxPoolObjects)
            objects_.emplace_back(d);
    }

    // One new reference, or null.
    IDispatch *take(variant_maker &maker)
    {
        switch (in_.ConsumeIntegralInRange<int>(0, 4)) {
        case 0:
            return nullptr;
        case 1:
            return g_env.host->make_chart();
        case 2:
            if (!objects_.empty()) {
                IDispatch *d = objects_[in_.ConsumeIntegralInRange<size_t>(0, objects_.size() - 1)].get();
                d->AddRef();
                return d;
            }
            [[fallthrough]];
        default:
            return make_recordset(maker);
        }
    }

private:
    IDispatch *make_recordset(variant_maker &maker)
    {
        // Field names the component's callers use, or any text.
        const char16_t *names[] = {u"Sales", u"Month", u"", u"sales"};
        std::u16string field = names[in_.ConsumeIntegralInRange<int>(0, 3)];
        std::vector<VARIANT> rows;
        const int count = in_.ConsumeIntegralInRange<int>(0, 30);
        for (int i = 0; i < count && in_.remaining_bytes() > 0; ++i) {
            // The recordset copies its rows: only values a copy accepts make a row (as only
            // those could have come from a real recordset).
            VARIANT row = maker.make(), probe;
            VariantInit(&probe);
            if (SUCCEEDED(VariantCopy(&probe, &row)))
                rows.push_back(row);
            VariantClear(&probe);
        }
        return g_env.host->make_recordset(field, rows);
    }

    FuzzedDataProvider &in_;
    std::vector<com_ptr<IDispatch>> objects_;
};

void free_excepinfo(EXCEPINFO &ei)
{
    SysFreeString(ei.bstrSource);
    SysFreeString(ei.bstrDescription);
    SysFreeString(ei.bstrHelpFile);
}

void names_call(FuzzedDataProvider &in, IDispatch *target)
{
    const UINT count = in.ConsumeIntegralInRange<UINT>(0, 4);
    std::vector<BSTR> names;
    for (UINT i = 0; i < count; ++i)
        names.push_back(in.ConsumeIntegralInRange<int>(0, 7) == 0 ? nullptr : fuzz_support::make_bstr(in, 24));
    std::vector<DISPID> ids(count + 1);
    target->GetIDsOfNames(IID_NULL, names.data(), count, LOCALE_EN_US, ids.data());
    for (BSTR b : names)
        SysFreeString(b);
}

void invoke_call(FuzzedDataProvider &in, IDispatch *target, variant_maker &maker, object_pool &pool)
{
    const auto &members = quillet::cQuillet::dispatch_table().info().members;
    DISPID id;
    WORD flags;
    if (in.ConsumeIntegralInRange<int>(0, 7) != 0) {
        const auto &m = members[in.ConsumeIntegralInRange<size_t>(0, members.size() - 1)];
        id = m.id;
        flags = in.ConsumeIntegralInRange<int>(0, 3) != 0 ? static_cast<WORD>(m.kind) : in.ConsumeIntegral<WORD>();
    } else {
        id = in.ConsumeBool() ? in.PickValueInArray(kOtherIds) : in.ConsumeIntegral<DISPID>();
        flags = in.ConsumeIntegral<WORD>();
    }
    const LCID lcid = in.ConsumeBool() ? in.PickValueInArray(kLocales) : in.ConsumeIntegral<LCID>();

    const UINT args = in.ConsumeIntegralInRange<UINT>(0, kMaxArgs);
    const UINT named = in.ConsumeIntegralInRange<UINT>(0, args);
    std::vector<VARIANT> rgvarg;
    for (UINT i = 0; i < args; ++i)
        rgvarg.push_back(maker.make());
    std::vector<DISPID> named_ids;
    for (UINT i = 0; i < named; ++i)
        named_ids.push_back(in.ConsumeBool() ? DISPID_PROPERTYPUT : in.ConsumeIntegralInRange<DISPID>(-2, 6));

    // Null pointers where a careless caller passes them.
    DISPPARAMS dp{args ? rgvarg.data() : nullptr, named ? named_ids.data() : nullptr, args, named};
    const int nulls = in.ConsumeIntegralInRange<int>(0, 15);
    if (nulls == 1)
        dp.rgvarg = nullptr;
    if (nulls == 2)
        dp.rgdispidNamedArgs = nullptr;
    if (nulls == 3)
        dp.cNamedArgs = args + 1;  // more named than given: must be refused, never read
    DISPPARAMS *params = nulls == 4 ? nullptr : &dp;
    if (nulls == 3)
        named_ids.resize(args + 1, DISPID_PROPERTYPUT), dp.rgdispidNamedArgs = named_ids.data();

    VARIANT result;
    VariantInit(&result);
    EXCEPINFO ei{};
    UINT arg_err = 0;
    const bool want_result = in.ConsumeBool(), want_excep = in.ConsumeBool(), want_arg_err = in.ConsumeBool();
    target->Invoke(id, IID_NULL, lcid, flags, params, want_result ? &result : nullptr, want_excep ? &ei : nullptr,
                   want_arg_err ? &arg_err : nullptr);
    if (result.vt == VT_DISPATCH)
        pool.add(result.pdispVal);
    VariantClear(&result);
    free_excepinfo(ei);
}

void run(FuzzedDataProvider &in)
{
    add_faults(in);
    com_ptr<quillet::cQuillet> q;
    try {
        q = com_ptr<quillet::cQuillet>::attach(quillet::cQuillet::create());
    } catch (const oleaut::com_error &) {
        return;  // a constructor refused by the host: the creator gets the error, nothing is left
    }
    object_pool pool(in);
    variant_maker *maker_ptr = nullptr;
    variant_maker maker(in, [&] { return pool.take(*maker_ptr); });
    maker_ptr = &maker;
    IDispatch *target = q.get();
    const size_t calls = in.ConsumeIntegralInRange<size_t>(1, kMaxCalls);
    for (size_t i = 0; i < calls && in.remaining_bytes() > 0; ++i) {
        if (in.ConsumeIntegralInRange<int>(0, 7) == 0)
            names_call(in, target);
        else
            invoke_call(in, target, maker, pool);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const char *base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/quillet-invoke-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data()))
        fatal("cannot make a temporary directory");
    g_env.directory = pattern;
    g_env.event_log = g_env.directory + "/events.log";
    std::atexit(remove_directory);
    ::setenv("OLEAUT_REGISTRY", (g_env.directory + "/registry").c_str(), 1);
    ::setenv("OLEAUT_EVENTLOG", g_env.event_log.c_str(), 1);
    g_env.fake_library = dlopen(FAKE_HOST_PATH, RTLD_NOW);
    if (!g_env.fake_library)
        fatal(dlerror());
    auto state_fn = reinterpret_cast<fake_host::state *(*)()>(dlsym(g_env.fake_library, "FakeHostState"));
    auto register_fn = reinterpret_cast<HRESULT (*)()>(dlsym(g_env.fake_library, "DllRegisterServer"));
    if (!state_fn || !register_fn || register_fn() != S_OK)
        fatal("cannot register the fake host in " + g_env.directory);
    g_env.host = state_fn();
    if (FAILED(CoInitialize(nullptr)))
        fatal("CoInitialize failed");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    g_env.host->reset();
    ::truncate(g_env.event_log.c_str(), 0);  // a log that grows for the whole run helps no one
    const long component_objects = oleaut::disp::module_live_count();
    {
        FuzzedDataProvider in(data, size);
        run(in);
    }
    if (g_env.host->objects_alive != 0)
        fatal(std::to_string(g_env.host->objects_alive) + " host objects were not released");
    if (oleaut::disp::module_live_count() != component_objects)
        fatal("a cQuillet object was not released");
    return 0;
}
