// The source Raise fills in when the caller gives none. A component sets its own
// "Project.Class" name when it loads; until then errors name the program, which is
// what a person reading a log can find.
#include <errno.h>

#include <mutex>
#include <optional>

#include "error_object.hpp"
#include "oleaut/utf.hpp"

namespace oleaut::detail {
namespace {

std::mutex g_source_mutex;
std::optional<std::u16string> g_source;  // nullopt: the built-in default

std::u16string program_name()
{
    const char *name = program_invocation_short_name;
    return utf8_to_utf16(name ? name : "");
}

}  // namespace

std::u16string default_source()
{
    {
        std::lock_guard lock(g_source_mutex);
        if (g_source)
            return *g_source;
    }
    return program_name();
}

}  // namespace oleaut::detail

STDAPI OaRtSetDefaultSource(LPCOLESTR source)
{
    return oleaut::detail::guarded([&] {
        std::optional<std::u16string> value;
        if (source)
            value.emplace(source);
        std::lock_guard lock(oleaut::detail::g_source_mutex);
        oleaut::detail::g_source.swap(value);
        return S_OK;
    });
}

STDAPI OaRtGetDefaultSource(BSTR *pbstrSource)
{
    if (!pbstrSource)
        return E_POINTER;
    *pbstrSource = nullptr;
    return oleaut::detail::guarded(
        [&] { return oleaut::detail::copy_to_bstr(oleaut::detail::default_source(), pbstrSource); });
}
