// LoadTypeLib and LoadTypeLibEx: a type library read from a file without loading it.
// The file is either a shared library carrying a "TYPELIB" resource (the first one, or
// resource N when the name ends in a backslash and N, as on Windows) or a stand-alone
// type library image. Whatever keeps the file from being read as a library answers
// TYPE_E_CANTLOADLIBRARY; damaged contents answer TYPE_E_INVDATAREAD or
// TYPE_E_UNSUPFORMAT. Every failure also leaves a description naming the file.
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "oleaut.h"
#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/resources.hpp"
#include "oleaut/dispatch/typelib_format.hpp"
#include "typelib/type_library_build.hpp"
#include "typelib_registry_keys.h"

using namespace oleaut;
using namespace oleaut::detail;

namespace {

constexpr char16_t kTypeLibResource[] = u"TYPELIB";
// Larger than any stand-alone image; a larger file is not one.
constexpr std::uintmax_t kMaxImageBytes = 64u << 20;

struct library_file {
    std::string path;
    std::optional<WORD> resource;  // the TYPELIB resource a "\N" suffix asked for
};

bool is_regular_file(const std::string &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The file to read. A name that is not a file but ends in "\N" names resource N of
// the file before the backslash.
library_file locate(std::u16string_view name)
{
    std::string path = utf16_to_utf8(name);
    if (is_regular_file(path))
        return {path, std::nullopt};
    const size_t slash = path.rfind('\\');
    if (slash != std::string::npos && slash + 1 < path.size() && path.size() - slash - 1 <= 5) {
        unsigned long n = 0;
        bool digits = true;
        for (size_t i = slash + 1; i < path.size(); ++i) {
            digits = digits && path[i] >= '0' && path[i] <= '9';
            n = n * 10 + static_cast<unsigned long>(path[i] - '0');
        }
        const std::string file = path.substr(0, slash);
        if (digits && n >= 1 && n <= 0xFFFF && is_regular_file(file))
            return {file, static_cast<WORD>(n)};
    }
    return {path, std::nullopt};
}

[[noreturn]] void cannot_load(const std::string &path, const std::string &why)
{
    throw com_error(TYPE_E_CANTLOADLIBRARY, std::u16string(kTypeLibSource),
                    utf8_to_utf16("Cannot load a type library from '" + path + "': " + why));
}

bool is_standalone_image(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    char magic[sizeof disp::typelib_image_magic] = {};
    return in.read(magic, sizeof magic) && std::equal(std::begin(magic), std::end(magic),
                                                       std::begin(disp::typelib_image_magic));
}

std::vector<BYTE> read_standalone_image(const std::string &path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        cannot_load(path, "it cannot be opened.");
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uintmax_t>(size) > kMaxImageBytes)
        cannot_load(path, "it is larger than any type library image.");
    std::vector<BYTE> image(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char *>(image.data()), size))
        cannot_load(path, "reading it failed.");
    return image;
}

// The TYPELIB resource asked for: resource N, or else the first one. *which receives
// its name for messages.
std::vector<BYTE> read_typelib_resource(const library_file &file, std::string *which)
{
    std::vector<disp::resource> resources;
    try {
        resources = disp::read_library_resources(file.path);
    } catch (const com_error &e) {
        // A damaged directory or ELF header is damaged data; anything else means the
        // file cannot serve as a library at all.
        if (e.hr() == TYPE_E_INVDATAREAD || e.hr() == E_OUTOFMEMORY)
            throw;
        throw com_error(TYPE_E_CANTLOADLIBRARY, e.source(), u"Cannot load a type library from " + e.description());
    }
    for (const disp::resource &r : resources) {
        if (!r.type.matches(kTypeLibResource))
            continue;
        if (!file.resource || r.name.matches(*file.resource)) {
            *which = "resource TYPELIB " + r.name.text();
            return r.data;
        }
    }
    std::string listed;
    for (const disp::resource &r : resources)
        if (r.type.matches(kTypeLibResource))
            listed += (listed.empty() ? "" : ", ") + r.name.text();
    cannot_load(file.path, "it has no type library resource" +
                               (file.resource ? " TYPELIB " + std::to_string(*file.resource) : std::string()) +
                               (listed.empty() ? " at all." : "; its TYPELIB resources are " + listed + "."));
}

com_ptr<ITypeLib> load(const library_file &file)
{
    if (!is_regular_file(file.path)) {
        struct stat st {};
        cannot_load(file.path, ::stat(file.path.c_str(), &st) == 0 ? "it is not a regular file."
                                                                    : "there is no such file.");
    }
    std::string which;
    const std::vector<BYTE> image =
        is_standalone_image(file.path) ? read_standalone_image(file.path) : read_typelib_resource(file, &which);
    try {
        return disp::build_type_library(disp::decode_type_library_image(image));
    } catch (const com_error &e) {
        const std::string where = "'" + file.path + "'" + (which.empty() ? "" : ", " + which);
        // A description that reads but cannot be built into type information is damaged
        // just as much as one that does not read.
        const HRESULT hr = e.hr() == TYPE_E_UNSUPFORMAT || e.hr() == E_OUTOFMEMORY ? e.hr() : TYPE_E_INVDATAREAD;
        throw com_error(hr, e.source(), utf8_to_utf16(where + ": ") + e.description());
    }
}

std::string full_path(const library_file &file)
{
    char resolved[PATH_MAX];
    std::string path = ::realpath(file.path.c_str(), resolved) ? resolved : file.path;
    if (file.resource)
        path += "\\" + std::to_string(*file.resource);
    return path;
}

}  // namespace

STDAPI LoadTypeLibEx(LPCOLESTR szFile, REGKIND regkind, ITypeLib **pptlib)
{
    if (!pptlib)
        return typelib_failure(E_INVALIDARG, "LoadTypeLibEx was given no place for the library.");
    *pptlib = nullptr;
    if (!szFile || !*szFile)
        return typelib_failure(E_INVALIDARG, "LoadTypeLibEx was given no file name.");
    if (regkind != REGKIND_DEFAULT && regkind != REGKIND_REGISTER && regkind != REGKIND_NONE)
        return typelib_failure(E_INVALIDARG, "LoadTypeLibEx was given the registration kind " +
                                                 std::to_string(static_cast<int>(regkind)) +
                                                 "; only REGKIND_DEFAULT, REGKIND_REGISTER and REGKIND_NONE exist.");
    try {
        const library_file file = locate(szFile);
        com_ptr<ITypeLib> lib = load(file);
        // As on Windows, a plain file name (no directory) registers the library too.
        const bool bare_name = std::u16string_view(szFile).find(u'/') == std::u16string_view::npos;
        if (regkind == REGKIND_REGISTER || (regkind == REGKIND_DEFAULT && bare_name)) {
            const std::u16string path = utf8_to_utf16(full_path(file));
            if (HRESULT hr = RegisterTypeLib(lib.get(), path.c_str(), nullptr); FAILED(hr))
                return hr;  // RegisterTypeLib has published why
        }
        *pptlib = lib.detach();
        return S_OK;
    } catch (...) {
        return hresult_from_exception();
    }
}

STDAPI LoadTypeLib(LPCOLESTR szFile, ITypeLib **pptlib) { return LoadTypeLibEx(szFile, REGKIND_DEFAULT, pptlib); }
