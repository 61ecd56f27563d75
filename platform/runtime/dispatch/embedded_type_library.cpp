// See embedded_type_library.hpp.
#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/embedded_type_library.hpp"
#include "oleaut/dispatch/server.hpp"

namespace oleaut::disp {

namespace {

constexpr OLECHAR kSource[] = OLESTR("Server registration");

// The file of the library this code is linked into: the server, not the program.
oleaut::ostring own_library_path()
{
    oleaut::ostring path = own_library_file();
    if (path.empty())
        throw com_error(SELFREG_E_TYPELIB, kSource, OLESTR("The server cannot find its own library file."));
    return path;
}

} // namespace

// Both separators count: a Windows path may use either, and a Linux file name holds no
// backslash that a registered library's path would.
oleaut::ostring directory_of(oleaut::ostring_view path)
{
    const size_t slash = path.find_last_of(OLESTR("/\\"));
    if (slash == oleaut::ostring_view::npos)
        return OLESTR(".");
    // The root keeps its separator ("/", "C:\\").
    const bool root = slash == 0 || (slash == 2 && path[1] == OLESTR(':'));
    return oleaut::ostring(path.substr(0, root ? slash + 1 : slash));
}

namespace {

// The embedded library, loaded without registering it.
com_ptr<ITypeLib> load_own_library(const oleaut::ostring &path)
{
    com_ptr<ITypeLib> lib;
    check(LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib.put()));
    return lib;
}

}  // namespace

HRESULT register_embedded_type_library() noexcept
{
    try {
        const oleaut::ostring file = own_library_path();
        const com_ptr<ITypeLib> lib = load_own_library(file);
        const oleaut::ostring help_dir = directory_of(file);
        check(RegisterTypeLib(lib.get(), file.c_str(), help_dir.c_str()));
        return S_OK;
    } catch (...) {
        return hresult_from_exception();
    }
}

HRESULT unregister_embedded_type_library() noexcept
{
    try {
        const com_ptr<ITypeLib> lib = load_own_library(own_library_path());
        TLIBATTR *raw = nullptr;
        check(lib->GetLibAttr(&raw));
        const TLIBATTR attr = *raw;
        lib->ReleaseTLibAttr(raw);
        // Removing what is not registered succeeds: platforms differ in what
        // UnRegisterTypeLib answers then (TYPE_E_LIBNOTREGISTERED, E_INVALIDARG), so ask first.
        BSTR registered = nullptr;
        if (FAILED(QueryPathOfRegTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, &registered))) {
            SetErrorInfo(0, nullptr);
            return S_OK;
        }
        SysFreeString(registered);
        const HRESULT hr = UnRegisterTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, attr.syskind);
        if (hr == TYPE_E_LIBNOTREGISTERED) {
            SetErrorInfo(0, nullptr);  // nothing to remove is what was asked for
            return S_OK;
        }
        check(hr);
        return S_OK;
    } catch (...) {
        return hresult_from_exception();
    }
}

}  // namespace oleaut::disp
