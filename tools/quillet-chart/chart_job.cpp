#include "chart_job.hpp"

#include "comutil.hpp"
#include "enum_lookup.hpp"
#include "oleaut/late_bound.hpp"

namespace quillet_chart {

using oleaut::com_ptr;
using oleaut::variant;
namespace late = oleaut::late;

namespace {

variant text(const std::string &s) { return variant::str_utf8(s); }

com_ptr<IDispatch> open_recordset(const options &o)
{
    com_ptr<IDispatch> rs = oleaut::rt::create_object(u"ADODB.Recordset");
    if (!o.csv.empty())
        late::call(rs.get(), u"Open", {variant::missing(), text("Provider=CSV;Data Source=" + o.csv)});
    else
        late::call(rs.get(), u"Open", {text(o.query), text("Provider=SQLite;Data Source=" + o.db)});
    return rs;
}

}  // namespace

void build_chart(const options &o)
{
    com_ptr<IDispatch> chart = oleaut::rt::create_object(u"Quillet.cQuillet");
    com_ptr<IDispatch> rs = open_recordset(o);

    for (const series_option &s : o.series) {
        late::call(chart.get(), u"AddDataSeries",
                   {variant::dispatch(rs.get()), text(s.column), text(s.name), variant::boolean(s.labels),
                    variant::boolean(s.shaded)});
    }
    if (!o.headings.empty())
        late::call(chart.get(), u"SetXAxisHeadings", {variant::dispatch(rs.get()), text(o.headings)});

    if (o.type || o.size) {
        LONG type = 0;
        if (o.type) {
            type = enum_value(chart.get(), u"xlChartType", *o.type);
        } else {
            // Only a size: keep the chart's own type.
            com_ptr<IDispatch> c = late::object_of(late::get(chart.get(), u"oQuillet"));
            type = late::get(c.get(), u"ChartType").to_i4();
        }
        const auto [w, h] = o.size.value_or(std::pair<int, int>{0, 0});
        late::call(chart.get(), u"SetChartOptions", {variant::i4(type), variant::i2(static_cast<SHORT>(w)),
                                                     variant::i2(static_cast<SHORT>(h))});
    }
    if (o.title || o.x_title || o.y_title) {
        // Titles travel by reference, as a script passes its variables.
        variant main = text(o.title.value_or("")), x = text(o.x_title.value_or("")), y = text(o.y_title.value_or(""));
        late::call(chart.get(), u"SetChartTitles", {variant::byref(&main), variant::byref(&x), variant::byref(&y)});
    }
    if (o.background)
        late::call(chart.get(), u"SetBackgroundEffect",
                   {variant::i4(enum_value(chart.get(), u"xlChartFillEffect", *o.background))});

    late::call(chart.get(), u"ExportToGif", {text(o.output)});
}

}  // namespace quillet_chart
