// The pieces of the event log (OaRtLogEvent): how an entry is written down, and the
// two places it can go (a file named by OLEAUT_EVENTLOG, or syslog).
#ifndef OLEAUT_SRC_EVENT_LOG_HPP
#define OLEAUT_SRC_EVENT_LOG_HPP

#include <sys/types.h>

#include <ctime>
#include <string>
#include <string_view>

#include "oleaut.h"
#include "oleaut/utf.hpp"

namespace oleaut::detail {

// The entry's text as UTF-8 on one line: backslash, tab, newline and carriage
// return become \\, \t, \n and \r, so that a tab always separates fields and a
// newline always ends an entry.
std::string escape_event_text(oleaut::ostring_view text);

// 2026-12-08T06:15:23.123Z
std::string utc_timestamp_millis(const timespec &when);

// One whole line of the log file: time, process id, type, escaped text, newline.
std::string event_line(const timespec &when, pid_t pid, LONG event_type, std::string_view escaped_text);

// Appends line to the file at path as one write under an exclusive lock, so entries
// from other threads and processes never interleave. Answers 0 or the errno.
int append_event_line(const char *path, std::string_view line) noexcept;

// Sends one entry to syslog with the priority for event_type.
void send_event_to_syslog(LONG event_type, const std::string &escaped_text);

}  // namespace oleaut::detail

#endif
