// typelib_check QUILLET_DLL: loads the type library quillet.dll carries (resource
// TYPELIB 1, compiled by widl from the IDL the Linux build writes) without registering
// it, and compares it with the description the component is built from. Prints each
// mismatch; exits 0 only when there is none.
#include <cstdio>
#include <string>

#include "automation/type_library.hpp"
#include "automation/type_library_check.hpp"
#include "oleaut/com_ptr.hpp"
#include "oleaut/utf.hpp"

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: typelib_check QUILLET_DLL\n", stderr);
        return 2;
    }
    const std::string path = argv[1];
    const oleaut::ostring wide = oleaut::utf8_to_utf16(path);
    oleaut::com_ptr<ITypeLib> lib;
    const HRESULT hr = LoadTypeLibEx(wide.c_str(), REGKIND_NONE, lib.put());
    if (FAILED(hr)) {
        std::fprintf(stderr, "typelib_check: LoadTypeLibEx('%s') failed: 0x%08lx\n", path.c_str(),
                     static_cast<unsigned long>(hr));
        return 1;
    }
    const std::vector<std::string> mismatches = quillet::type_library_mismatches(lib.get(), quillet::quillet_library_info());
    for (const std::string &m : mismatches)
        std::printf("mismatch: %s\n", m.c_str());
    std::printf("typelib_check: %s: %zu mismatches\n", path.c_str(), mismatches.size());
    return mismatches.empty() ? 0 : 1;
}
