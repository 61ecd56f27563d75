// verinfo [--typelib] LIBRARY: what a library carries in its resources, read from the
// file without loading it (so no code of the library runs).
//
//   verinfo LIB.so            the resources (type, name, size) and the version block
//   verinfo --typelib LIB.so  the type library, as IDL, read back through LoadTypeLib
//
// Any failure prints its number, source and description on one line.
#include <cstdio>
#include <string>

#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/typeinfo.hpp"
#include "verinfo_report.hpp"

namespace {

enum exit_status : int { kSucceeded = 0, kUsageError = 1, kFailed = 2 };

void print_usage(std::FILE *to)
{
    std::fputs("usage: verinfo [--typelib] LIBRARY.so\n"
               "\n"
               "Lists the resources a library carries and prints its version information,\n"
               "reading the file without loading it.\n"
               "\n"
               "  --typelib   print the library's type library (resource TYPELIB 1) as IDL\n"
               "  -h, --help  show this help\n"
               "\n"
               "Exit status: 0 done, 1 wrong usage, 2 the library or its resources cannot be read.\n",
               to);
}

void print_error(const oleaut::com_error &e)
{
    std::fprintf(stderr, "verinfo: error 0x%08X (%s): %s\n", static_cast<unsigned>(e.hr()),
                 e.source().empty() ? "verinfo" : oleaut::utf16_to_utf8(e.source()).c_str(),
                 oleaut::utf16_to_utf8(e.description()).c_str());
}

int print_resources(const std::string &path)
{
    const std::vector<oleaut::disp::resource> resources = oleaut::disp::read_library_resources(path);
    std::fputs(verinfo::resource_listing(resources).c_str(), stdout);
    const oleaut::disp::resource *version =
        oleaut::disp::find_resource(resources, oleaut::disp::resource_type_version, 1);
    if (!version)
        throw oleaut::com_error(oleaut::disp::resource_e_name_not_found, u"verinfo",
                                oleaut::utf8_to_utf16("'" + path + "' has no version resource (VERSION 1)."));
    std::fputs(verinfo::version_listing(oleaut::disp::read_version_block(version->data)).c_str(), stdout);
    return kSucceeded;
}

int print_type_library(const std::string &path)
{
    oleaut::com_ptr<ITypeLib> lib;
    oleaut::check(LoadTypeLibEx(oleaut::utf8_to_utf16(path).c_str(), REGKIND_NONE, lib.put()));
    std::fputs(oleaut::disp::dump_idl(lib.get()).c_str(), stdout);
    return kSucceeded;
}

}  // namespace

int main(int argc, char **argv)
{
    bool typelib = false;
    std::string library;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            print_usage(stdout);
            return kSucceeded;
        }
        if (arg == "--typelib") {
            typelib = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "verinfo: unknown option '%s'\n", arg.c_str());
            print_usage(stderr);
            return kUsageError;
        } else if (!library.empty()) {
            std::fprintf(stderr, "verinfo: give one library only ('%s' and '%s')\n", library.c_str(), arg.c_str());
            print_usage(stderr);
            return kUsageError;
        } else {
            library = arg;
        }
    }
    if (library.empty()) {
        std::fputs("verinfo: no library given\n", stderr);
        print_usage(stderr);
        return kUsageError;
    }
    try {
        return typelib ? print_type_library(library) : print_resources(library);
    } catch (...) {
        print_error(oleaut::current_exception_as_com_error());
        return kFailed;
    }
}
