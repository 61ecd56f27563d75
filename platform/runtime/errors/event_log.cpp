// App.LogEvent: one entry per call, with its type and exact text, in the file named
// by OLEAUT_EVENTLOG or else in syslog. An entry that cannot be written is never
// dropped quietly: the call fails with a Path/File access error naming the file.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "error_object.hpp"
#include "event_log.hpp"
#include "oleaut/runtime.h"
#include "oleaut/utf.hpp"

namespace oleaut::detail {
namespace {

bool known_event_type(LONG t)
{
    return t == OART_EVENT_ERROR || t == OART_EVENT_WARNING || t == OART_EVENT_INFORMATION;
}

std::u16string system_reason(int error)
{
    char buf[256];
    // GNU strerror_r: answers a pointer to the text, which may or may not be buf.
    const char *text = strerror_r(error, buf, sizeof buf);
    return utf8_to_utf16(text);
}

HRESULT log_event(LPCOLESTR text, LONG event_type)
{
    if (!known_event_type(event_type))
        return report_failure(OART_E_INVALIDPROCCALL,
                              u"Invalid procedure call or argument: event type " +
                                  utf8_to_utf16(std::to_string(event_type)) +
                                  u" is not 1 (error), 2 (warning) or 4 (information).");

    // A null string is the empty string to automation.
    const std::string escaped = escape_event_text(text ? std::u16string_view(text) : std::u16string_view());

    // Read at each call: a test or a host may point the log elsewhere at any time.
    const char *path = std::getenv("OLEAUT_EVENTLOG");
    if (!path || !*path) {
        send_event_to_syslog(event_type, escaped);
        return S_OK;
    }

    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const int error = append_event_line(path, event_line(now, getpid(), event_type, escaped));
    if (error == 0)
        return S_OK;
    return report_failure(OART_E_FILEACCESS, u"Path/File access error: cannot write the event log file '" +
                                                 utf8_to_utf16(path) + u"': " + system_reason(error) + u".");
}

}  // namespace
}  // namespace oleaut::detail

STDAPI OaRtLogEvent(LPCOLESTR text, LONG eventType)
{
    return oleaut::detail::guarded([&] { return oleaut::detail::log_event(text, eventType); });
}
