// How one event-log entry is written down. Kept apart from the file and syslog
// code so that both sinks, and the Windows build's file, write exactly the same text.
#include <cstdio>

#include "event_log.hpp"
#include "oleaut/utf.hpp"

namespace oleaut::detail {

std::string escape_event_text(oleaut::ostring_view text)
{
    const std::string utf8 = utf16_to_utf8(text);
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 16);
    for (char c : utf8) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string utc_timestamp_millis(const timespec &when)
{
    tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &when.tv_sec);
#else
    gmtime_r(&when.tv_sec, &utc);
#endif
    char buf[64];  // room for any year tm can hold
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(when.tv_nsec / 1000000));
    return buf;
}

std::string event_line(const timespec &when, pid_t pid, LONG event_type, std::string_view escaped_text)
{
    std::string line = utc_timestamp_millis(when);
    line += '\t';
    line += std::to_string(pid);
    line += '\t';
    line += std::to_string(event_type);
    line += '\t';
    line += escaped_text;
    line += '\n';
    return line;
}

}  // namespace oleaut::detail
