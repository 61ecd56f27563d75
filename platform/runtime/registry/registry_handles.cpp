// The process's table of open registry keys (see registry_handles.h). Handles are
// numbers from a counter rather than pointers, so a stale or forged HKEY is refused
// with ERROR_INVALID_HANDLE instead of being dereferenced.
#include "registry_handles.h"

#include <mutex>
#include <unordered_map>

namespace oleaut::registry {

namespace {

struct handle_table {
    std::mutex lock;
    std::unordered_map<HKEY, open_key> keys;
    uintptr_t next = 0x1000;
};

handle_table &table()
{
    static handle_table *t = new handle_table;  // outlives static destructors that close keys
    return *t;
}

}  // namespace

HKEY open_handle(open_key k)
{
    handle_table &t = table();
    std::lock_guard guard(t.lock);
    HKEY h = reinterpret_cast<HKEY>(t.next);
    t.next += 4;
    t.keys.emplace(h, std::move(k));
    return h;
}

bool lookup_handle(HKEY h, open_key *k)
{
    if (h == HKEY_CLASSES_ROOT) {
        k->path.clear();
        k->access = KEY_ALL_ACCESS;
        return true;
    }
    handle_table &t = table();
    std::lock_guard guard(t.lock);
    auto it = t.keys.find(h);
    if (it == t.keys.end())
        return false;
    *k = it->second;
    return true;
}

bool close_handle(HKEY h)
{
    if (h == HKEY_CLASSES_ROOT)
        return true;
    handle_table &t = table();
    std::lock_guard guard(t.lock);
    return t.keys.erase(h) == 1;
}

}  // namespace oleaut::registry
