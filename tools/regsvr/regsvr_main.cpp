// regsvr [-u] [-s] LIBRARY: calls the library's DllRegisterServer (or, with -u, its
// DllUnregisterServer) so that it writes (or removes) its classes in the registry.
#include <cstdio>
#include <cstring>
#include <string>

#include "hresult_names.h"
#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"
#include "regsvr_library.h"

namespace {

// Exit statuses, one per kind of failure, so scripts can tell them apart.
enum exit_status : int {
    kSucceeded = 0,
    kUsageError = 1,
    kCannotLoad = 2,
    kNoEntryPoint = 3,
    kEntryPointFailed = 4,
};

void print_usage(std::FILE *to)
{
    std::fputs("usage: regsvr [-u] [-s] LIBRARY.so\n"
               "\n"
               "Registers an in-process server library by calling its DllRegisterServer,\n"
               "or with -u unregisters it by calling its DllUnregisterServer.\n"
               "\n"
               "  -u          unregister instead of register\n"
               "  -s          print nothing on success\n"
               "  -h, --help  show this help\n"
               "\n"
               "The registry is the file named by OLEAUT_REGISTRY, else\n"
               "$XDG_DATA_HOME/oleaut/registry (default ~/.local/share/oleaut/registry).\n"
               "\n"
               "Exit status: 0 done, 1 wrong usage, 2 library cannot be loaded,\n"
               "3 entry point missing, 4 the entry point reported a failure.\n",
               to);
}

struct options {
    bool unregister = false;
    bool silent = false;
    std::string library;
};

// False (after printing why) if the arguments are not a valid command line; sets
// *help_only when the user asked for help.
bool parse_arguments(int argc, char **argv, options *opt, bool *help_only)
{
    *help_only = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            *help_only = true;
            return true;
        }
        if (arg == "-u") {
            opt->unregister = true;
        } else if (arg == "-s") {
            opt->silent = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "regsvr: unknown option '%s'\n", arg.c_str());
            return false;
        } else if (!opt->library.empty()) {
            std::fprintf(stderr, "regsvr: give one library only ('%s' and '%s')\n", opt->library.c_str(), arg.c_str());
            return false;
        } else {
            opt->library = arg;
        }
    }
    if (opt->library.empty()) {
        std::fputs("regsvr: no library given\n", stderr);
        return false;
    }
    return true;
}

// The thread's error info, if the failing call left one: what the server or the
// registry said about the failure.
void print_error_info()
{
    oleaut::com_ptr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) != S_OK || !info)
        return;
    oleaut::bstr source, description;
    info->GetSource(source.put());
    info->GetDescription(description.put());
    if (description.is_null() || description.length() == 0)
        return;
    if (source.is_null() || source.length() == 0)
        std::fprintf(stderr, "regsvr: %s\n", description.utf8().c_str());
    else
        std::fprintf(stderr, "regsvr: %s: %s\n", source.utf8().c_str(), description.utf8().c_str());
}

int run(const options &opt)
{
    const char *entry_name = opt.unregister ? "DllUnregisterServer" : "DllRegisterServer";
    regsvr::server_library library;
    std::string error;
    if (!library.load(regsvr::library_path_for(opt.library), &error)) {
        std::fprintf(stderr, "regsvr: cannot load '%s': %s\n", opt.library.c_str(), error.c_str());
        return kCannotLoad;
    }
    LPFNREGISTERSERVER entry = library.entry_point(entry_name);
    if (!entry) {
        std::fprintf(stderr, "regsvr: '%s' does not export %s, so it cannot be %s with regsvr\n",
                     library.path().c_str(), entry_name, opt.unregister ? "unregistered" : "registered");
        return kNoEntryPoint;
    }
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SetErrorInfo(0, nullptr);  // so that only what this call reports is printed
    HRESULT hr = entry();
    if (FAILED(hr)) {
        std::fprintf(stderr, "regsvr: %s in '%s' failed: %s\n", entry_name, library.path().c_str(),
                     regsvr::describe_hresult(hr).c_str());
        print_error_info();
    } else if (!opt.silent) {
        std::printf("regsvr: %s in '%s' succeeded\n", entry_name, library.path().c_str());
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return FAILED(hr) ? kEntryPointFailed : kSucceeded;
}

}  // namespace

int main(int argc, char **argv)
{
    options opt;
    bool help_only = false;
    if (!parse_arguments(argc, argv, &opt, &help_only)) {
        print_usage(stderr);
        return kUsageError;
    }
    if (help_only) {
        print_usage(stdout);
        return kSucceeded;
    }
    return run(opt);
}
