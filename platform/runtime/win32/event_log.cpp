// App.LogEvent in the Windows build: the Application event log (ReportEventW, with the
// server's module name as the event source), or, when OLEAUT_EVENTLOG names a file, that
// file in the same line format as on Linux, so a test reads both the same way.
#include <ctime>
#include <string>

#include "errors/event_log.hpp"
#include "oleaut/dispatch/server.hpp"
#include "errors/error_object.hpp"

namespace oleaut::detail {
namespace {

bool known_event_type(LONG t)
{
    return t == OART_EVENT_ERROR || t == OART_EVENT_WARNING || t == OART_EVENT_INFORMATION;
}

ostring system_reason(DWORD error)
{
    LPWSTR text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    ostring reason = n ? ostring(text, n) : OLESTR("system error ") + utf8_to_utf16(std::to_string(error));
    LocalFree(text);
    while (!reason.empty() && (reason.back() == OLESTR('\n') || reason.back() == OLESTR('\r') ||
                               reason.back() == OLESTR('.')))
        reason.pop_back();
    return reason;
}

// Appends one whole line; FILE_APPEND_DATA makes each write land at the end even with
// other writers, and one WriteFile keeps the line in one piece. Answers 0 or the error.
DWORD append_line(const ostring &path, const std::string &line)
{
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD written = 0;
    DWORD error = 0;
    if (!WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr))
        error = GetLastError();
    else if (written != line.size())
        error = ERROR_HANDLE_DISK_FULL;
    if (!CloseHandle(file) && error == 0)
        error = GetLastError();
    return error;
}

// The system clock as the line format wants it; FILETIME counts 100 ns from 1601.
timespec utc_now()
{
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime) - 116444736000000000ULL;
    timespec t{};
    t.tv_sec = static_cast<time_t>(ticks / 10000000ULL);
    t.tv_nsec = static_cast<long>(ticks % 10000000ULL * 100);
    return t;
}

WORD report_type(LONG t)
{
    return t == OART_EVENT_ERROR     ? EVENTLOG_ERROR_TYPE
           : t == OART_EVENT_WARNING ? EVENTLOG_WARNING_TYPE
                                     : EVENTLOG_INFORMATION_TYPE;
}

// The event source: the server's own file name without its extension ("quillet").
ostring event_source()
{
    ostring name = oleaut::disp::own_library_file();
    const size_t slash = name.find_last_of(OLESTR("\\/"));
    if (slash != ostring::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.rfind(OLESTR('.'));
    if (dot != ostring::npos && dot > 0)
        name.erase(dot);
    return name.empty() ? default_source() : name;
}

HRESULT report_to_system_log(LPCOLESTR text, LONG event_type)
{
    const ostring source = event_source();
    HANDLE log = RegisterEventSourceW(nullptr, source.c_str());
    if (!log)
        return report_failure(OART_E_FILEACCESS, OLESTR("Path/File access error: cannot open the Application "
                                                        "event log: ") + system_reason(GetLastError()) + OLESTR("."));
    LPCWSTR strings[] = {text ? text : OLESTR("")};
    const BOOL ok = ReportEventW(log, report_type(event_type), 0, 0, nullptr, 1, 0, strings, nullptr);
    const DWORD error = ok ? 0 : GetLastError();
    DeregisterEventSource(log);
    if (ok)
        return S_OK;
    return report_failure(OART_E_FILEACCESS, OLESTR("Path/File access error: cannot write to the Application "
                                                    "event log: ") + system_reason(error) + OLESTR("."));
}

HRESULT log_event(LPCOLESTR text, LONG event_type)
{
    if (!known_event_type(event_type))
        return report_failure(OART_E_INVALIDPROCCALL,
                              OLESTR("Invalid procedure call or argument: event type ") +
                                  utf8_to_utf16(std::to_string(event_type)) +
                                  OLESTR(" is not 1 (error), 2 (warning) or 4 (information)."));
    // Read at each call: a test or a host may point the log elsewhere at any time.
    WCHAR path[MAX_PATH + 1];
    const DWORD length = GetEnvironmentVariableW(L"OLEAUT_EVENTLOG", path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return report_to_system_log(text, event_type);

    const timespec now = utc_now();
    const std::string escaped = escape_event_text(text ? ostring_view(text) : ostring_view());
    const std::string line = event_line(now, static_cast<pid_t>(GetCurrentProcessId()), event_type,
                                                        escaped);
    const DWORD error = append_line(path, line);
    if (error == 0)
        return S_OK;
    return report_failure(OART_E_FILEACCESS, OLESTR("Path/File access error: cannot write the event log file '") +
                                                 ostring(path) + OLESTR("': ") + system_reason(error) + OLESTR("."));
}

}  // namespace
}  // namespace oleaut::detail

STDAPI OaRtLogEvent(LPCOLESTR text, LONG eventType)
{
    return oleaut::detail::guarded([&] { return oleaut::detail::log_event(text, eventType); });
}
