// C++ face of the runtime services in runtime.h: each failure becomes a com_error
// thrown in the caller's own library.
#ifndef OLEAUT_RUNTIME_HPP
#define OLEAUT_RUNTIME_HPP

#include <optional>

#include "variant.hpp"

namespace oleaut::rt {

// A snapshot of the thread's error object.
struct err_record {
    LONG number = 0;
    oleaut::ostring source, description, help_file;
    LONG help_context = 0;
};

inline err_record err()
{
    err_record r;
    r.number = OaRtErrNumber();
    bstr s, d, f;
    OaRtErrSource(s.put());
    OaRtErrDescription(d.put());
    OaRtErrHelpFile(f.put());
    r.source = s.str();
    r.description = d.str();
    r.help_file = f.str();
    r.help_context = OaRtErrHelpContext();
    return r;
}

// Makes a caught failure the thread's current error.
inline void set_err(const com_error &e)
{
    OaRtErrSet(e.hr(), e.source().c_str(), e.description().c_str(), e.help_file().c_str(),
               static_cast<LONG>(e.help_context()));
}

// Err.Raise: what is left out (std::nullopt) is filled in by the runtime.
[[noreturn]] inline void raise(LONG number, std::optional<oleaut::ostring_view> source = std::nullopt,
                               std::optional<oleaut::ostring_view> description = std::nullopt,
                               std::optional<oleaut::ostring_view> help_file = std::nullopt,
                               std::optional<LONG> help_context = std::nullopt)
{
    auto opt = [](const std::optional<oleaut::ostring_view> &s) { return s ? variant::str(*s) : variant::missing(); };
    variant vs = opt(source), vd = opt(description), vf = opt(help_file);
    variant vc = help_context ? variant::i4(*help_context) : variant::missing();
    HRESULT hr = OaRtRaise(number, &vs, &vd, &vf, &vc);
    // The current error now holds what was raised, or why Raise itself was refused.
    err_record r = err();
    throw com_error(hr, r.source, r.description, r.help_file, static_cast<DWORD>(r.help_context));
}

inline com_ptr<IDispatch> create_object(oleaut::ostring_view prog_id)
{
    com_ptr<IDispatch> d;
    oleaut::ostring id(prog_id);
    HRESULT hr = OaRtCreateObject(id.c_str(), d.put());
    if (FAILED(hr)) {
        err_record r = err();
        throw com_error(hr, r.source, r.description);
    }
    return d;
}

inline void log_event(oleaut::ostring_view text, LONG event_type)
{
    oleaut::ostring t(text);
    HRESULT hr = OaRtLogEvent(t.c_str(), event_type);
    if (FAILED(hr)) {
        err_record r = err();
        throw com_error(hr, r.source, r.description);
    }
}

}  // namespace oleaut::rt

#endif
