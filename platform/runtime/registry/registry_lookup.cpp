// See registry_lookup.h.
#include "registry_lookup.h"

#include "registry_file.h"

namespace oleaut::registry {

LSTATUS read_string_value(const key_path &path, std::u16string_view name, std::u16string *out)
{
    out->clear();
    LSTATUS status = ERROR_SUCCESS;
    std::shared_ptr<const key> root = registry_snapshot(&status);
    if (!root)
        return status;
    const key *k = find_key(*root, path);
    if (!k)
        return ERROR_FILE_NOT_FOUND;
    auto it = k->values.find(name);
    if (it == k->values.end())
        return ERROR_FILE_NOT_FOUND;
    const value &v = it->second;
    if (v.type != REG_SZ && v.type != REG_EXPAND_SZ)
        return OLEAUT_ERROR_INVALID_DATA;
    for (size_t i = 0; i + 1 < v.data.size(); i += 2) {
        char16_t c = static_cast<char16_t>(v.data[i] | (v.data[i + 1] << 8));
        if (c == 0)
            break;
        out->push_back(c);
    }
    return ERROR_SUCCESS;
}

}  // namespace oleaut::registry
