// The live-object count of the library this toolkit is linked into.
#include <atomic>

#include "oleaut/dispatch/module.hpp"

namespace oleaut::disp {

namespace {
std::atomic<long> g_live{0};
}

void module_add_ref() noexcept { g_live.fetch_add(1, std::memory_order_relaxed); }
void module_release() noexcept { g_live.fetch_sub(1, std::memory_order_acq_rel); }
long module_live_count() noexcept { return g_live.load(std::memory_order_acquire); }

}  // namespace oleaut::disp
