// See activation_names.h.
#include "activation_names.h"

#include "registry_path.h"

namespace oleaut::detail {

std::u16string guid_key_name(REFGUID g)
{
    OLECHAR buf[40] = {};
    StringFromGUID2(g, buf, 40);
    return buf;
}

std::string registry_file_phrase()
{
    std::string path = registry::registry_file_path();
    return path.empty() ? std::string("the registry (no file: no home directory)") : "the registry '" + path + "'";
}

}  // namespace oleaut::detail
