// The live-object count of the library this toolkit is linked into.
#include <atomic>

#include "oleaut/dispatch/module.hpp"
#include "oleaut/unknown.hpp"

namespace oleaut::disp {

namespace {
std::atomic<long> g_live{0};
}

void module_add_ref() noexcept { g_live.fetch_add(1, std::memory_order_relaxed); }
void module_release() noexcept { g_live.fetch_sub(1, std::memory_order_acq_rel); }
long module_live_count() noexcept { return g_live.load(std::memory_order_acquire); }

namespace {

// The lock's references are the module's count itself: nothing is allocated or freed.
struct module_count {
    ULONG add_ref() noexcept
    {
        module_add_ref();
        return 2;
    }
    ULONG release() noexcept
    {
        module_release();
        return 1;
    }
};

class module_lock_object final : public unknown<module_lock_object, interfaces<IUnknown>, owner_counted> {
public:
    module_count &count_owner() noexcept { return count_; }

private:
    module_count count_;
};

module_lock_object g_lock;

}  // namespace

IUnknown *module_lock() noexcept { return &g_lock; }

}  // namespace oleaut::disp
