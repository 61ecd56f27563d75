// A client of the registered component, written the way an automation client is: every
// object activated by ProgID through CoCreateInstance, every member called late-bound by
// name. Shared by the tests that run such clients in several threads or processes.
#ifndef TESTS_CONCURRENCY_CHART_CLIENT_HPP
#define TESTS_CONCURRENCY_CHART_CLIENT_HPP

#include <string>
#include <utility>
#include <vector>

#include "comutil.hpp"
#include "oleaut/late_bound.hpp"

namespace chart_client {

using oleaut::com_ptr;
using oleaut::variant;
namespace late = oleaut::late;

// ADO's field types used here.
inline constexpr LONG adDouble = 5;
inline constexpr LONG adVarWChar = 202;

// A new object of the registered class, through CLSIDFromProgID and CoCreateInstance.
inline com_ptr<IDispatch> activate(const char16_t *prog_id)
{
    CLSID clsid{};
    oleaut::check(CLSIDFromProgID(prog_id, &clsid));
    com_ptr<IDispatch> object;
    oleaut::check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.put_void()));
    return object;
}

struct month_sales {
    std::u16string month;
    double sales;
};

// A disconnected recordset with the fields Month and Sales holding these rows, built as a
// script builds one: Fields.Append while closed, Open, then AddNew / Update per row.
inline com_ptr<IDispatch> memory_recordset(const std::vector<month_sales> &rows)
{
    com_ptr<IDispatch> rs = activate(u"ADODB.Recordset");
    com_ptr<IDispatch> fields = late::object_of(late::get(rs.get(), u"Fields"));
    late::call(fields.get(), u"Append", {variant::str(u"Month"), variant::i4(adVarWChar), variant::i4(20)});
    late::call(fields.get(), u"Append", {variant::str(u"Sales"), variant::i4(adDouble)});
    late::call(rs.get(), u"Open");
    for (const month_sales &row : rows) {
        late::call(rs.get(), u"AddNew");
        late::put(late::object_of(late::get(fields.get(), u"Item", {variant::str(u"Month")})).get(), u"Value",
                  variant::str(row.month));
        late::put(late::object_of(late::get(fields.get(), u"Item", {variant::str(u"Sales")})).get(), u"Value",
                  variant::r8(row.sales));
        late::call(rs.get(), u"Update");
    }
    return rs;
}

// A recordset over the sample database's monthly sales.
inline com_ptr<IDispatch> sqlite_recordset(const std::string &database)
{
    com_ptr<IDispatch> rs = activate(u"ADODB.Recordset");
    late::call(rs.get(), u"Open",
               {variant::str(u"SELECT month, north, south FROM monthly_sales ORDER BY month_no"),
                variant::str_utf8("Provider=SQLite;Data Source=" + database)});
    return rs;
}

// What one chart is made of: a column of the recordset per series, the headings column,
// the options and the titles.
struct chart_request {
    std::vector<std::pair<std::u16string, std::u16string>> series;  // column, series name
    std::u16string headings;
    LONG chart_type = 51;
    SHORT width = 300;
    SHORT height = 150;
    std::u16string title;
    LONG fill_effect = 0;  // 0: no background effect
};

// Builds the chart on a fresh or reset component object and writes it to file; answers
// what ExportToGif answered.
inline variant build_and_export(IDispatch *quillet, IDispatch *rs, const chart_request &request,
                                const std::string &file)
{
    bool first = true;
    for (const auto &[column, name] : request.series) {
        late::call(quillet, u"AddDataSeries",
                   {variant::dispatch(rs), variant::str(column), variant::str(name), variant::boolean(first),
                    variant::boolean(false)});
        first = false;
    }
    late::call(quillet, u"SetXAxisHeadings", {variant::dispatch(rs), variant::str(request.headings)});
    late::call(quillet, u"SetChartOptions",
               {variant::i4(request.chart_type), variant::i2(request.width), variant::i2(request.height)});
    variant title = variant::str(request.title), x = variant::str(u"Month"), y = variant::str(u"Sales");
    late::call(quillet, u"SetChartTitles", {variant::byref(&title), variant::byref(&x), variant::byref(&y)});
    if (request.fill_effect)
        late::call(quillet, u"SetBackgroundEffect", {variant::i4(request.fill_effect)});
    return late::invoke(quillet, u"ExportToGif", DISPATCH_METHOD, {variant::str_utf8(file)});
}

}  // namespace chart_client

#endif
