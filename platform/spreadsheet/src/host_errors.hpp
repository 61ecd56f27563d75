// Every error the spreadsheet host raises itself, in one table: a number (in the
// automation runtime's facility, 0x800A0000 | code, clear of the codes the runtime uses
// for its own errors), the source "SheetHost", and a description pattern whose "%1"
// and "%2" are filled in where the error happens.
#ifndef SHEETHOST_HOST_ERRORS_HPP
#define SHEETHOST_HOST_ERRORS_HPP

#include <string>
#include <string_view>

#include "oleaut/com_error.hpp"

namespace sheethost {

enum class host_error : int {
    invalid_chart_type = 2001,
    invalid_plot_size = 2002,
    title_is_off = 2003,
    no_axes = 2004,
    series_index = 2005,
    cell_index = 2006,
    no_walls_or_floor = 2007,
    application_quit = 2008,
    unknown_filter = 2009,
    cannot_write = 2010,
    not_drawn_yet = 2011,
    invalid_range = 2012,
    sheet_index = 2013,
    invalid_argument = 2014,
    workbook_closed = 2015,
    render_failed = 2016,
    object_deleted = 2017,
    legend_is_off = 2018,
    workbook_index = 2019,
    series_cells = 2020,
    too_many_series = 2021,
};

inline constexpr char16_t kHostSource[] = u"SheetHost";

struct host_error_row {
    host_error code;
    const char16_t *pattern;
};

inline constexpr host_error_row kHostErrors[] = {
    {host_error::invalid_chart_type, u"%1 is not a chart type this host knows"},
    {host_error::invalid_plot_size, u"The plot area %1 must be greater than 0 and at most %2 points"},
    {host_error::title_is_off, u"The %1 has no title: set HasTitle to True first"},
    {host_error::no_axes, u"A %1 chart has no axes"},
    {host_error::series_index, u"There is no series %1: the chart has %2"},
    {host_error::cell_index, u"Cell (%1) is outside the sheet (rows 1 to 65536, columns 1 to 256)"},
    {host_error::no_walls_or_floor, u"A %1 chart has no %2"},
    {host_error::application_quit, u"The application has quit: %1 can no longer be used"},
    {host_error::unknown_filter, u"Cannot export to \"%1\": the filters are GIF and PNG"},
    {host_error::cannot_write, u"cannot write %1: %2"},
    {host_error::not_drawn_yet, u"Chart type %1 is not drawn yet"},
    {host_error::invalid_range, u"%1 is not a range of this workbook"},
    {host_error::sheet_index, u"There is no sheet %1: the workbook has %2"},
    {host_error::invalid_argument, u"%1"},
    {host_error::workbook_closed, u"The workbook is closed: %1 can no longer be used"},
    {host_error::render_failed, u"Could not draw the chart: %1"},
    {host_error::object_deleted, u"%1 was deleted and can no longer be used"},
    {host_error::legend_is_off, u"The chart has no legend: set HasLegend to True first"},
    {host_error::workbook_index, u"There is no workbook %1: %2 open"},
    {host_error::series_cells, u"%1 cannot feed a series: %2"},
    {host_error::too_many_series, u"A chart holds at most %1 series"},
};

inline HRESULT host_hresult(host_error e) { return static_cast<HRESULT>(0x800A0000u | static_cast<unsigned>(e)); }

// The error for code e, with %1 and %2 replaced.
inline oleaut::com_error make_host_error(host_error e, std::u16string_view a1 = {}, std::u16string_view a2 = {})
{
    std::u16string text;
    for (const host_error_row &row : kHostErrors) {
        if (row.code != e)
            continue;
        for (const char16_t *p = row.pattern; *p; ++p) {
            if (p[0] == u'%' && (p[1] == u'1' || p[1] == u'2')) {
                text += p[1] == u'1' ? a1 : a2;
                ++p;
            } else {
                text += *p;
            }
        }
    }
    return oleaut::com_error(host_hresult(e), kHostSource, text);
}

[[noreturn]] inline void raise_host_error(host_error e, std::u16string_view a1 = {}, std::u16string_view a2 = {})
{
    throw make_host_error(e, a1, a2);
}

}  // namespace sheethost

#endif
