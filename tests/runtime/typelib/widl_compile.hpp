// Compiles IDL text with MinGW-w64's widl into a type library, for the tests that check
// that a dump is IDL a real compiler accepts. widl needs oaidl.idl (Wine's development
// headers) and stdole2.tlb (Wine's); where any of the three is missing the check cannot
// run, and widl_unavailable() says why.
#ifndef TESTS_RUNTIME_TYPELIB_WIDL_COMPILE_HPP
#define TESTS_RUNTIME_TYPELIB_WIDL_COMPILE_HPP

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace widl_compile {

inline const char *const kWidl = "x86_64-w64-mingw32-widl";

// The first of the folders that holds `file`, or "".
inline std::string folder_with(const std::string &file, std::initializer_list<const char *> folders)
{
    for (const char *folder : folders)
        if (std::filesystem::exists(std::filesystem::path(folder) / file))
            return folder;
    return "";
}

inline std::string include_dir()
{
    return folder_with("oaidl.idl", {"/usr/include/wine/wine/windows", "/usr/include/wine/windows",
                                     "/usr/share/mingw-w64/include", "/usr/x86_64-w64-mingw32/include"});
}

inline std::string stdole_dir()
{
    return folder_with("stdole2.tlb", {"/usr/lib/x86_64-linux-gnu/wine/x86_64-windows", "/usr/lib/wine/x86_64-windows",
                                       "/usr/lib64/wine/x86_64-windows"});
}

// Why the compiler cannot be run here, or "" when it can.
inline std::string widl_unavailable()
{
    if (std::system((std::string("command -v ") + kWidl + " >/dev/null 2>&1").c_str()) != 0)
        return std::string(kWidl).append(" is not on PATH");
    if (include_dir().empty())
        return "oaidl.idl was not found (Wine's development headers, package libwine-dev)";
    if (stdole_dir().empty())
        return "stdole2.tlb was not found (Wine's type libraries)";
    return "";
}

// widl -t on the text; answers widl's exit status and leaves its messages in `messages`.
inline int compile_to_typelib(const std::string &idl, std::string &messages)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("widl-check-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "dump.idl") << idl;
    const std::string command = std::string(kWidl) + " -I " + include_dir() + " -L " + stdole_dir() + " -t -o " +
                                (dir / "dump.tlb").string() + " " + (dir / "dump.idl").string() + " > " +
                                (dir / "messages.txt").string() + " 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(dir / "messages.txt");
    messages.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::filesystem::remove_all(dir);
    return status;
}

}  // namespace widl_compile

#endif
