// See embedded_type_library.hpp.
#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/embedded_type_library.hpp"
#include "oleaut/dispatch/server.hpp"

namespace oleaut::disp {

namespace {

constexpr OLECHAR kSource[] = OLESTR("Server registration");

// The file of the library this code is linked into: the server, not the program.
std::string own_library_path()
{
    std::string path = own_library_file();
    if (path.empty())
        throw com_error(SELFREG_E_TYPELIB, kSource, OLESTR("The server cannot find its own library file."));
    return path;
}

std::string directory_of(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

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
        const std::string path = own_library_path();
        const oleaut::ostring file = utf8_to_utf16(path);
        const com_ptr<ITypeLib> lib = load_own_library(file);
        const oleaut::ostring help_dir = utf8_to_utf16(directory_of(path));
        check(RegisterTypeLib(lib.get(), file.c_str(), help_dir.c_str()));
        return S_OK;
    } catch (...) {
        return hresult_from_exception();
    }
}

HRESULT unregister_embedded_type_library() noexcept
{
    try {
        const com_ptr<ITypeLib> lib = load_own_library(utf8_to_utf16(own_library_path()));
        TLIBATTR *raw = nullptr;
        check(lib->GetLibAttr(&raw));
        const TLIBATTR attr = *raw;
        lib->ReleaseTLibAttr(raw);
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
