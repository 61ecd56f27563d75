// The embedded host's object model through IDispatch::Invoke, then the chart drawn into
// memory. Each input opens a chart workbook as the component does (data cells, series
// bound to them, a chart type), then calls members of the chart's objects (Chart,
// SeriesCollection, Series, Axes, titles, fills, borders, fonts, the legend, walls and
// floor, ranges, and the application and workbook around them), chosen from each object's
// own type information, with arguments of any type, objects from the same host included.
// Finally the chart's state is exported to an in-memory GIF, exactly as Chart.Export
// would write it.
//
// Chart.Export itself is never called: it writes where its argument says.
//
// After every input each object of the host must be released.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "automation/objects.hpp"
#include "model/chart_state.hpp"
#include "oleaut/dispatch/module.hpp"
#include "oleaut/late_bound.hpp"
#include "render/export/exporter.hpp"
#include "snapshot/snapshot_builder.hpp"
#include "support/variant_maker.hpp"

namespace {

using fuzz_support::variant_maker;
using oleaut::com_ptr;
using oleaut::variant;
namespace late = oleaut::late;

constexpr DISPID kExport = 0x586;  // writes a file: never called here
constexpr LONG kXlChart = -4109;
constexpr LONG kChartTypes[] = {51, 54, -4100, 57, 60, 65, -4101, 5, 69, -4102, 70, 1, -4098, 83, 92, 95, 99, 102, 109, 106};
constexpr size_t kMaxPoolObjects = 40;
constexpr int kMaxCalls = 16;
constexpr UINT kMaxArgs = 4;
constexpr int kMaxRows = 14;

[[noreturn]] void fatal(const std::string &what)
{
    std::fprintf(stderr, "chart_invoke_fuzzer: %s\n", what.c_str());
    std::abort();
}

class object_pool {
public:
    void add(com_ptr<IDispatch> d)
    {
        if (d && objects_.size() < kMaxPoolObjects)
            objects_.push_back(std::move(d));
    }
    // Adds the object a call answers, if it answers one; a refusal adds nothing.
    template <class Call>
    void add_from(Call &&call)
    {
        try {
            variant v = call();
            if (v.vt == VT_DISPATCH && v.pdispVal)
                add(com_ptr<IDispatch>(v.pdispVal));
        } catch (const oleaut::com_error &) {
        }
    }
    IDispatch *pick(FuzzedDataProvider &in) const
    {
        return objects_[in.ConsumeIntegralInRange<size_t>(0, objects_.size() - 1)].get();
    }
    size_t size() const { return objects_.size(); }

private:
    std::vector<com_ptr<IDispatch>> objects_;
};

// A member of an object, as its type information describes it.
struct member_choice {
    MEMBERID id = DISPID_UNKNOWN;
    WORD flags = DISPATCH_METHOD;
    UINT params = 0;
};

member_choice choose_member(FuzzedDataProvider &in, IDispatch *target)
{
    member_choice m;
    com_ptr<ITypeInfo> info;
    TYPEATTR *attr = nullptr;
    if (FAILED(target->GetTypeInfo(0, LOCALE_EN_US, info.put())) || !info || FAILED(info->GetTypeAttr(&attr)))
        return m;
    const UINT count = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    FUNCDESC *desc = nullptr;
    if (count == 0 || FAILED(info->GetFuncDesc(in.ConsumeIntegralInRange<UINT>(0, count - 1), &desc)))
        return m;
    m.id = desc->memid;
    m.params = static_cast<UINT>(desc->cParams);
    switch (desc->invkind) {
    case INVOKE_PROPERTYGET: m.flags = DISPATCH_PROPERTYGET; break;
    case INVOKE_PROPERTYPUT: m.flags = DISPATCH_PROPERTYPUT; break;
    case INVOKE_PROPERTYPUTREF: m.flags = DISPATCH_PROPERTYPUTREF; break;
    default: m.flags = DISPATCH_METHOD; break;
    }
    info->ReleaseFuncDesc(desc);
    return m;
}

void call_member(FuzzedDataProvider &in, object_pool &pool, variant_maker &maker)
{
    IDispatch *target = pool.pick(in);
    member_choice m = choose_member(in, target);
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0)
        m.flags = in.ConsumeIntegralInRange<WORD>(1, 15);  // get, put or call, whatever the member is
    if (m.id == kExport)
        return;
    // Mostly as many arguments as declared; sometimes fewer or more.
    UINT args = m.params;
    if (in.ConsumeIntegralInRange<int>(0, 3) == 0)
        args = in.ConsumeIntegralInRange<UINT>(0, kMaxArgs);
    const bool put = m.flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    std::vector<VARIANT> rgvarg;
    for (UINT i = 0; i < args; ++i)
        rgvarg.push_back(maker.make());
    // A put's value travels as the one named argument; otherwise a few positional ones
    // may be named by parameter index.
    std::vector<DISPID> named;
    if (put && args > 0)
        named.push_back(DISPID_PROPERTYPUT);
    else if (args > 0 && in.ConsumeIntegralInRange<int>(0, 3) == 0)
        named.push_back(in.ConsumeIntegralInRange<DISPID>(-1, 3));
    DISPPARAMS dp{args ? rgvarg.data() : nullptr, named.empty() ? nullptr : named.data(), args,
                  static_cast<UINT>(named.size())};
    variant result;
    EXCEPINFO ei{};
    UINT arg_err = 0;
    target->Invoke(m.id, IID_NULL, LOCALE_EN_US, m.flags, &dp, result.put(), &ei, &arg_err);
    SysFreeString(ei.bstrSource);
    SysFreeString(ei.bstrDescription);
    SysFreeString(ei.bstrHelpFile);
    if (result.vt == VT_DISPATCH && result.pdispVal)
        pool.add(com_ptr<IDispatch>(result.pdispVal));
}

// Cells(row, column) = value on the data sheet; a value the host refuses leaves the cell empty.
void put_cell(IDispatch *sheet, int row, int column, const VARIANT &value)
{
    try {
        late::put(sheet, u"Cells", value, {variant::i2(static_cast<SHORT>(row)), variant::i2(static_cast<SHORT>(column))});
    } catch (const oleaut::com_error &) {
    }
}

com_ptr<IDispatch> column_range(IDispatch *sheet, int column, int rows)
{
    auto top = late::object_of(late::get(sheet, u"Cells", {variant::i2(1), variant::i2(static_cast<SHORT>(column))}));
    auto bottom = late::object_of(
        late::get(sheet, u"Cells", {variant::i2(static_cast<SHORT>(rows)), variant::i2(static_cast<SHORT>(column))}));
    return late::object_of(late::get(sheet, u"Range", {variant::dispatch(top.get()), variant::dispatch(bottom.get())}));
}

// The component's set-up: a hidden host, a workbook of one worksheet and a chart sheet,
// a few series of values (any type) bound to cells, headings in column 1, a chart type.
// Answers the chart.
com_ptr<IDispatch> open_chart(FuzzedDataProvider &in, variant_maker &maker, object_pool &pool, IDispatch *app)
{
    late::put(app, u"Visible", variant::boolean(false));
    late::put(app, u"SheetsInNewWorkbook", variant::i4(1));
    late::call(late::object_of(late::get(app, u"Workbooks")).get(), u"Add");
    auto book = late::object_of(late::get(app, u"ActiveWorkbook"));
    auto sheets = late::object_of(late::get(book.get(), u"Worksheets"));
    auto data = late::object_of(late::get(sheets.get(), u"Item", {variant::i2(1)}));
    const variant chart_type = variant::i4(kXlChart);
    auto chart = late::object_of(late::invoke(sheets.get(), u"Add", DISPATCH_METHOD, {}, {{u"Type", chart_type}}));
    pool.add(book);
    pool.add(data);
    pool.add(chart);

    const int rows = in.ConsumeIntegralInRange<int>(1, kMaxRows);
    for (int r = 1; r <= rows; ++r)
        put_cell(data.get(), r, 1, maker.make());
    const int series = in.ConsumeIntegralInRange<int>(0, 3);
    auto collection = late::object_of(late::invoke(chart.get(), u"SeriesCollection", DISPATCH_METHOD));
    pool.add(collection);
    for (int s = 0; s < series; ++s) {
        for (int r = 1; r <= rows; ++r)
            put_cell(data.get(), r, s + 2,
                     in.ConsumeBool() ? maker.make_scalar(VT_R8) : maker.make());  // mostly numbers
        auto one = late::object_of(late::invoke(collection.get(), u"NewSeries", DISPATCH_METHOD));
        late::put(one.get(), u"Values", variant::dispatch(column_range(data.get(), s + 2, rows).get()));
        if (in.ConsumeBool())
            late::put(one.get(), u"XValues", variant::dispatch(column_range(data.get(), 1, rows).get()));
        pool.add(one);
    }
    pool.add_from([&] { return late::get(data.get(), u"Cells"); });
    const LONG type = in.ConsumeBool() ? in.PickValueInArray(kChartTypes) : in.ConsumeIntegral<LONG>();
    try {
        late::put(chart.get(), u"ChartType", variant::i4(type));
    } catch (const oleaut::com_error &) {
        // A type the host does not know keeps the chart's type.
    }
    try {
        late::put(chart.get(), u"HasTitle", variant::boolean(in.ConsumeBool()));
    } catch (const oleaut::com_error &) {
    }
    // A small plot area, as report charts have, keeps each input's drawing quick; calls
    // may still size it up to the host's limit.
    try {
        auto plot = late::object_of(late::get(chart.get(), u"PlotArea"));
        late::put(plot.get(), u"Width", variant::r8(in.ConsumeIntegralInRange<int>(20, 320)));
        late::put(plot.get(), u"Height", variant::r8(in.ConsumeIntegralInRange<int>(20, 200)));
    } catch (const oleaut::com_error &) {
    }
    // The chart's parts, those it has.
    for (const char16_t *part : {u"ChartTitle", u"Legend", u"PlotArea", u"Walls", u"Floor"})
        pool.add_from([&] { return late::get(chart.get(), part); });
    for (LONG axis : {1, 2})
        pool.add_from([&] { return late::invoke(chart.get(), u"Axes", DISPATCH_METHOD, {variant::i4(axis)}); });
    return chart;
}

// Chart.Export's drawing, into memory.
void draw(IDispatch *chart)
{
    std::shared_ptr<sheethost::model::sheet_state> sheet = sheethost::automation::chart_sheet_behind(chart);
    if (!sheet)
        fatal("the chart object has no chart sheet behind it");
    try {
        std::vector<uint8_t> gif =
            sheethost::render::encode_chart(sheethost::snapshot::build_snapshot(sheet->chart),
                                            sheethost::render::image_format::gif);
        if (gif.size() < 6 || gif[0] != 'G' || gif[1] != 'I' || gif[2] != 'F')
            fatal("the export answered something that is not a GIF");
    } catch (const oleaut::com_error &) {
        // A chart the renderer refuses (a type it does not draw) is refused with an error.
    }
}

void run(FuzzedDataProvider &in)
{
    object_pool pool;
    variant_maker maker(in, [&]() -> IDispatch * {
        if (pool.size() == 0 || in.ConsumeIntegralInRange<int>(0, 3) == 0)
            return nullptr;
        IDispatch *d = pool.pick(in);
        d->AddRef();
        return d;
    });
    auto app = com_ptr<IDispatch>::attach(sheethost::automation::new_application());
    pool.add(app);
    com_ptr<IDispatch> chart;
    try {
        chart = open_chart(in, maker, pool, app.get());
    } catch (const oleaut::com_error &) {
        return;  // the set-up refused this input's values; nothing to draw
    }
    const int calls = in.ConsumeIntegralInRange<int>(0, kMaxCalls);
    for (int i = 0; i < calls && in.remaining_bytes() > 0; ++i)
        call_member(in, pool, maker);
    draw(chart.get());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const long objects_before = oleaut::disp::module_live_count();
    {
        FuzzedDataProvider in(data, size);
        run(in);
    }
    if (oleaut::disp::module_live_count() != objects_before)
        fatal("an object of the host was not released");
    return 0;
}
