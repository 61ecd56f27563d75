// Task memory: the allocator that crosses component boundaries (strings handed out
// by ProgIDFromCLSID, StringFromCLSID and the like are freed with CoTaskMemFree).
#include <cstdlib>

#include "oleaut.h"

STDAPI_(LPVOID) CoTaskMemAlloc(size_t cb) { return std::malloc(cb ? cb : 1); }

STDAPI_(LPVOID) CoTaskMemRealloc(LPVOID pv, size_t cb) { return std::realloc(pv, cb ? cb : 1); }

STDAPI_(void) CoTaskMemFree(LPVOID pv) { std::free(pv); }
