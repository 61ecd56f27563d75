// Dates as locale 1033 writes them: M/D/YYYY and h:mm:ss AM/PM.
#include <cstdio>

#include "date_calendar.h"

namespace oleaut::conv {
namespace {

void append_ascii(std::u16string *out, const char *s)
{
    for (; *s; ++s)
        out->push_back(static_cast<char16_t>(*s));
}

}  // namespace

HRESULT format_date(double serial, ULONG flags, std::u16string *out)
{
    if (!is_valid_date(serial))
        return E_INVALIDARG;
    long day = 0, seconds = 0;
    split_date(serial, &day, &seconds);

    bool show_date = day != 0;
    bool show_time = seconds != 0 || day == 0;
    if (flags & VAR_DATEVALUEONLY) {
        show_date = true;
        show_time = false;
    } else if (flags & VAR_TIMEVALUEONLY) {
        show_date = false;
        show_time = true;
    }

    out->clear();
    char buf[48];
    if (show_date) {
        int y = 0, m = 0, d = 0;
        calendar_date(day, &y, &m, &d);
        std::snprintf(buf, sizeof buf, "%d/%d/%d", m, d, y);
        append_ascii(out, buf);
    }
    if (show_time) {
        const long h24 = seconds / 3600;
        const long h12 = h24 % 12 == 0 ? 12 : h24 % 12;
        std::snprintf(buf, sizeof buf, "%s%ld:%02ld:%02ld %s", show_date ? " " : "", h12, (seconds / 60) % 60,
                      seconds % 60, h24 < 12 ? "AM" : "PM");
        append_ascii(out, buf);
    }
    return S_OK;
}

}  // namespace oleaut::conv
