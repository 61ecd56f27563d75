// The resource script windres compiles into the Windows DLL: the same three resources
// libquillet.so carries (resources.hpp), with the type library as the file widl
// compiled from the generated IDL instead of our own image format.
#ifndef QUILLET_AUTOMATION_WINDOWS_RESOURCE_SCRIPT_HPP
#define QUILLET_AUTOMATION_WINDOWS_RESOURCE_SCRIPT_HPP

#include <string>
#include <string_view>
#include <vector>

#include "oleaut/dispatch/version_block.hpp"

namespace quillet {

// `1 TYPELIB "<typelib_file>"`, `_IID_CQUILLET CUSTOM { ... }` and `1 VERSIONINFO ...`.
std::string windows_resource_script(std::string_view typelib_file);

// The pieces, for the tests: raw data as the 16-bit little-endian words a script lists
// (the bytes must be of even length), and a version block as VERSIONINFO.
std::string raw_data_words(const std::vector<BYTE> &bytes);
std::string version_info_statement(const oleaut::disp::version_info &v);

}  // namespace quillet

#endif
