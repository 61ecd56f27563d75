// resource_blob_writer OUTPUT: writes libquillet.so's resource directory to OUTPUT at
// build time, for resources.S to link into the library's resource section. Built from
// the same tables as the component, so the type library in the file cannot drift from
// the one the objects report.
#include <cstdio>
#include <fstream>
#include <string>

#include "automation/resources.hpp"
#include "oleaut/com_error.hpp"

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: resource_blob_writer OUTPUT\n", stderr);
        return 1;
    }
    const std::string output = argv[1];
    try {
        const std::vector<BYTE> blob = oleaut::disp::write_resource_directory(quillet::component_resources());
        // Written beside the target and renamed, so an interrupted build never leaves a
        // truncated blob that a later build would link without complaint.
        const std::string partial = output + ".partial";
        {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char *>(blob.data()), static_cast<std::streamsize>(blob.size()));
            if (!out.flush()) {
                std::fprintf(stderr, "resource_blob_writer: cannot write '%s'\n", partial.c_str());
                return 1;
            }
        }
        if (std::rename(partial.c_str(), output.c_str()) != 0) {
            std::perror(("resource_blob_writer: cannot rename '" + partial + "' to '" + output + "'").c_str());
            return 1;
        }
        return 0;
    } catch (const oleaut::com_error &e) {
        std::fprintf(stderr, "resource_blob_writer: %s\n", e.what());
        return 1;
    }
}
