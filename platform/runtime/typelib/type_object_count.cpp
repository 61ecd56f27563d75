// See type_object_count.hpp.
#include "type_object_count.hpp"

#include <atomic>

namespace oleaut::disp {

namespace {
std::atomic<long> g_alive{0};
}

void type_object_added() noexcept { g_alive.fetch_add(1, std::memory_order_relaxed); }
void type_object_removed() noexcept { g_alive.fetch_sub(1, std::memory_order_acq_rel); }
long type_objects_counted() noexcept { return g_alive.load(std::memory_order_acquire); }

}  // namespace oleaut::disp
