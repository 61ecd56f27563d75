// windows_resource_writer DIRECTORY: writes what the Windows build compiles into
// quillet.dll's resources, from the same tables as the component, so that the Windows
// type library cannot drift from the Linux one:
//   quillet.idl  the dump of the type library, for widl -t (quillet.tlb)
//   quillet.rc   the resource script for windres (quillet.tlb, the interface id, the
//                version block)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "automation/type_library.hpp"
#include "automation/windows_resource_script.hpp"
#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/typeinfo.hpp"

namespace {

// Written beside the target and renamed, so an interrupted build never leaves a
// truncated file that a later build would compile without complaint.
bool write_file(const std::filesystem::path &path, const std::string &text)
{
    const std::filesystem::path partial = path.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            std::fprintf(stderr, "windows_resource_writer: cannot write '%s'\n", partial.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::fprintf(stderr, "windows_resource_writer: cannot rename '%s': %s\n", partial.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: windows_resource_writer DIRECTORY\n", stderr);
        return 1;
    }
    try {
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        const std::string idl = oleaut::disp::dump_idl(quillet::quillet_type_library().get());
        return write_file(dir / "quillet.idl", idl) &&
                       write_file(dir / "quillet.rc", quillet::windows_resource_script("quillet.tlb"))
                   ? 0
                   : 1;
    } catch (const oleaut::com_error &e) {
        std::fprintf(stderr, "windows_resource_writer: %s\n", e.what());
        return 1;
    } catch (const std::filesystem::filesystem_error &e) {
        std::fprintf(stderr, "windows_resource_writer: %s\n", e.what());
        return 1;
    }
}
