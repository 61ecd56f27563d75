// What verinfo prints: the resource list and the version block of a library, as text
// a person reads and a script can pick apart (one item per line, values quoted).
#ifndef VERINFO_REPORT_HPP
#define VERINFO_REPORT_HPP

#include <span>
#include <string>

#include "oleaut/dispatch/resources.hpp"
#include "oleaut/dispatch/version_block.hpp"

namespace verinfo {

// "resources:" and one line per resource: type, name, size in bytes.
std::string resource_listing(std::span<const oleaut::disp::resource> resources);

// The fixed versions, every string table's strings and the translations.
std::string version_listing(const oleaut::disp::version_info &info);

}  // namespace verinfo

#endif
