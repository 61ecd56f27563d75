// The resources libquillet.so carries in its resource section, readable without
// loading the library: the type library ("TYPELIB" 1), the interface id of _cQuillet
// ("CUSTOM" "_IID_CQUILLET") and the version block (RT_VERSION 1). The build writes
// them with the generator in resource_blob_writer.cpp and links them in.
#ifndef QUILLET_AUTOMATION_RESOURCES_HPP
#define QUILLET_AUTOMATION_RESOURCES_HPP

#include <vector>

#include "oleaut/dispatch/resources.hpp"
#include "oleaut/dispatch/version_block.hpp"

namespace quillet {

// The version block's contents: file and product version 1.00, translation 040904B0.
oleaut::disp::version_info component_version();

// 20 bytes: the GUID's length (16) as a 32-bit little-endian number, then the GUID as
// Windows stores it (Data1..Data3 little-endian, Data4 as bytes).
std::vector<BYTE> interface_id_resource(const GUID &iid);

// Every resource, in the order the section lists them.
std::vector<oleaut::disp::resource> component_resources();

}  // namespace quillet

#endif
