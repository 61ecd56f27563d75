// The three ways a routine of the component treats a failure, as small helpers so that
// every routine states its mode once instead of repeating try/catch:
//   - continue_on_error: each step runs on its own; a failed step is skipped (its
//     temporaries are released as its scope unwinds), and the routine carries on and
//     reports success. A failed test of a conditional block counts as passed, so the
//     block is entered.
//   - log_and_reraise: the first failure ends the routine; its description goes to the
//     event log as an error entry, and the same number, source and description are
//     raised again. A failure while doing that reaches the caller instead.
//   - plain propagation: nothing at all; exceptions simply leave the routine.
#ifndef QUILLET_CHART_FAILURE_MODES_HPP
#define QUILLET_CHART_FAILURE_MODES_HPP

#include <utility>

#include "comutil.hpp"

namespace quillet {

// The source of every error the component raises or names. It is the component's own and
// is passed wherever the component raises: the runtime's default source belongs to the
// process, and other code in it must not find its errors named after this component.
inline constexpr OLECHAR kComponentSource[] = OLESTR("Quillet.cQuillet");

// Makes the failure being handled the thread's current error. Call only inside a catch.
// The runtime's own errors (a value that does not convert: "Overflow", "Invalid use of
// Null") come without a source; like any error raised inside the component they are
// named after it, so a client and the log can tell where they happened.
inline void record_current_failure() noexcept
{
    oleaut::com_error e = oleaut::current_exception_as_com_error();
    if (e.source().empty()) {
        try {
            e = oleaut::com_error(e.hr(), kComponentSource, e.description(), e.help_file(), e.help_context());
        } catch (...) {
            // Out of memory while naming it: the error goes on without a source.
        }
    }
    oleaut::rt::set_err(e);
}

// Runs a call of a runtime service (CreateObject, the event log) whose failures the
// runtime names after the process's default source; the failure leaves named after the
// component instead, as every other error raised inside it.
template <class Call>
auto named_after_component(Call &&call)
{
    try {
        return std::forward<Call>(call)();
    } catch (const oleaut::com_error &e) {
        throw oleaut::com_error(e.hr(), kComponentSource, e.description(), e.help_file(), e.help_context());
    }
}

class continue_on_error {
public:
    // Runs one step; a failure is recorded as the current error and otherwise forgotten.
    template <class Step>
    void step(Step &&s) noexcept
    {
        try {
            std::forward<Step>(s)();
        } catch (...) {
            record_current_failure();
        }
    }

    // Runs the test of a conditional block. A test that fails enters the block.
    template <class Test>
    bool test(Test &&t) noexcept
    {
        try {
            return std::forward<Test>(t)();
        } catch (...) {
            record_current_failure();
            return true;
        }
    }
};

// The event type of an error entry in the event log.
inline constexpr LONG kEventTypeError = 1;

// Runs body under the log-and-re-raise handler.
template <class Body>
void log_and_reraise(Body &&body)
{
    try {
        std::forward<Body>(body)();
        return;
    } catch (...) {
        record_current_failure();
    }
    // The handler. Its own failures are not caught again: they go to the caller in place
    // of the error that entered it.
    oleaut::ostring description = oleaut::rt::err().description;
    named_after_component([&] { oleaut::rt::log_event(description, kEventTypeError); });
    oleaut::rt::err_record e = oleaut::rt::err();
    oleaut::rt::raise(e.number, e.source, e.description);
}

// The error the component makes itself on a bad argument: number vbObjectError + 1001,
// the given message, the component's source.
inline constexpr LONG kValidationError = -2147220503;  // 0x800403E9
inline constexpr OLECHAR kInvalidRecordsetOrColumn[] = OLESTR("Invalid recordset or column name");
inline constexpr OLECHAR kNoDataSeries[] = OLESTR("No data series in chart");
inline constexpr OLECHAR kInvalidFileName[] = OLESTR("Invalid file name for export");

// Reset's refusal to go on when the host answers Delete but keeps the series: deleting
// again would never end. Number vbObjectError + 1002, the component's source.
inline constexpr LONG kSeriesNotDeleted = -2147220502;  // 0x800403EA

// An error the component makes itself: the number and message given, its own source.
[[noreturn]] inline void raise_component_error(LONG number, oleaut::ostring_view message)
{
    oleaut::rt::raise(number, kComponentSource, message);
}

[[noreturn]] inline void raise_validation_error(oleaut::ostring_view message)
{
    raise_component_error(kValidationError, message);
}

}  // namespace quillet

#endif
