// The source Raise fills in when the caller gives none, in the Windows build: what the
// server set for its own module, else the program's file name. (On Linux the runtime
// keeps one for the process, errors/error_object_default_source.cpp.)
#include <optional>

#include "errors/error_object.hpp"

namespace oleaut::detail {
namespace {

SRWLOCK g_source_lock = SRWLOCK_INIT;
std::optional<ostring> g_source;  // nullopt: the program's name

ostring program_name()
{
    ostring path(MAX_PATH, OLESTR('\0'));
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(n < path.size() ? n : 0);
    const size_t slash = path.find_last_of(OLESTR("\\/"));
    return slash == ostring::npos ? path : path.substr(slash + 1);
}

}  // namespace

ostring default_source()
{
    AcquireSRWLockShared(&g_source_lock);
    const std::optional<ostring> set = g_source;
    ReleaseSRWLockShared(&g_source_lock);
    return set ? *set : program_name();
}

}  // namespace oleaut::detail

STDAPI OaRtSetDefaultSource(LPCOLESTR source)
{
    return oleaut::detail::guarded([&] {
        std::optional<oleaut::ostring> value;
        if (source)
            value.emplace(source);
        AcquireSRWLockExclusive(&oleaut::detail::g_source_lock);
        oleaut::detail::g_source.swap(value);
        ReleaseSRWLockExclusive(&oleaut::detail::g_source_lock);
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
