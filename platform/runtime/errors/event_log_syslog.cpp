// The event log when no file is named: syslog, with the program's name as the
// identity, so that entries land where the system's other services log.
#include <errno.h>
#include <syslog.h>

#include <mutex>

#include "event_log.hpp"
#include "oleaut/runtime.h"

namespace oleaut::detail {
namespace {

int priority_of(LONG event_type)
{
    switch (event_type) {
    case OART_EVENT_ERROR:
        return LOG_ERR;
    case OART_EVENT_WARNING:
        return LOG_WARNING;
    default:
        return LOG_INFO;
    }
}

}  // namespace

void send_event_to_syslog(LONG event_type, const std::string &escaped_text)
{
    static std::once_flag opened;
    // openlog keeps the pointer it is given; program_invocation_short_name lives
    // as long as the process.
    std::call_once(opened, [] { openlog(program_invocation_short_name, LOG_PID, LOG_USER); });
    syslog(priority_of(event_type), "%s", escaped_text.c_str());
}

}  // namespace oleaut::detail
