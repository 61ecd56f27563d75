// Navigation of the registry tree. Only ASCII letters fold: names outside ASCII match
// exactly, which is enough for the ProgIDs, CLSIDs and value names automation uses.
#include "registry_tree.h"

#include <algorithm>

namespace oleaut::registry {

namespace {

char16_t fold(char16_t c) noexcept { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

}  // namespace

bool name_less::operator()(std::u16string_view a, std::u16string_view b) const noexcept
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char16_t x, char16_t y) { return fold(x) < fold(y); });
}

bool names_equal(std::u16string_view a, std::u16string_view b) noexcept
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

const key *find_key(const key &root, const key_path &path)
{
    const key *k = &root;
    for (const auto &name : path) {
        auto it = k->subkeys.find(name);
        if (it == k->subkeys.end())
            return nullptr;
        k = it->second.get();
    }
    return k;
}

key *find_key(key &root, const key_path &path)
{
    return const_cast<key *>(find_key(static_cast<const key &>(root), path));
}

key &create_key(key &root, const key_path &path, bool *created, key_path *stored_path)
{
    key *k = &root;
    bool made = false;
    if (stored_path)
        stored_path->clear();
    for (const auto &name : path) {
        auto it = k->subkeys.find(name);
        made = it == k->subkeys.end();
        if (made)
            it = k->subkeys.emplace(name, std::make_unique<key>()).first;
        if (stored_path)
            stored_path->push_back(it->first);
        k = it->second.get();
    }
    if (created)
        *created = made;
    return *k;
}

bool erase_key(key &root, const key_path &path)
{
    if (path.empty())
        return false;
    key *parent = find_key(root, key_path(path.begin(), path.end() - 1));
    return parent && parent->subkeys.erase(path.back()) == 1;
}

std::u16string join_path(const key_path &path)
{
    std::u16string out;
    for (const auto &name : path) {
        if (!out.empty())
            out += u'\\';
        out += name;
    }
    return out;
}

}  // namespace oleaut::registry
