// ExportToGif writes the chart through the host's own export; Reset empties the chart
// and the staging grid so the same object can build the next chart.
#include <string>

#include "chart/chart_builder.hpp"
#include "chart/failure_modes.hpp"
#include "host/chart.hpp"
#include "host/worksheet.hpp"

namespace quillet {

using namespace quillet::host;

namespace {

constexpr OLECHAR kGifFilter[] = OLESTR("GIF");

// Only U+0020 counts as a space here; a null string is empty.
bool blank_after_trimming_spaces(BSTR s)
{
    for (UINT i = 0, n = SysStringLen(s); i < n; ++i)
        if (s[i] != OLESTR(' '))
            return false;
    return true;
}

// The host said it deleted the first series, yet the count did not fall.
[[noreturn]] void raise_series_not_deleted(LONG remaining)
{
    oleaut::ostring text = OLESTR("Reset stopped: the host still holds ");
    text += oleaut::utf8_to_utf16(std::to_string(remaining));
    text += OLESTR(" series after deleting the first one, so the chart cannot be emptied. ")
        OLESTR("The host application's Series.Delete is not deleting series.");
    raise_component_error(kSeriesNotDeleted, text);
}

}  // namespace

oleaut::variant chart_builder::export_to_gif(BSTR strFileName)
{
    oleaut::variant result;
    log_and_reraise([&] {
        if (Chart(oQuillet).get_SeriesCollection().Count() <= 0)
            raise_validation_error(kNoDataSeries);
        if (blank_after_trimming_spaces(strFileName))
            raise_validation_error(kInvalidFileName);
        Chart(oQuillet).Export(strFileName, kGifFilter);
        result = oleaut::variant::i2(1);
    });
    return result;
}

// Plain propagation: the first refusal reaches the caller; series already deleted stay
// deleted. The count is read afresh after every Delete; one that does not fall ends Reset
// with an error instead of deleting forever.
void chart_builder::reset()
{
    LONG remaining = Chart(oQuillet).get_SeriesCollection().Count();
    while (remaining > 0) {
        Chart(oQuillet).SeriesCollection_Item(1).Delete();
        const LONG after = Chart(oQuillet).get_SeriesCollection().Count();
        if (after >= remaining)
            raise_series_not_deleted(after);
        remaining = after;
    }
    Worksheet(oDataSheet).get_Cells().ClearContents();
}

}  // namespace quillet
