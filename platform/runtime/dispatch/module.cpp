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

namespace {

// Not allocated: its references are the count itself.
class module_lock_object final : public IUnknown {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void **ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = IsEqualIID(riid, IID_IUnknown) ? static_cast<IUnknown *>(this) : nullptr;
        if (!*ppv)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override
    {
        module_add_ref();
        return 2;
    }
    STDMETHOD_(ULONG, Release)() override
    {
        module_release();
        return 1;
    }
};

module_lock_object g_lock;

}  // namespace

IUnknown *module_lock() noexcept { return &g_lock; }

}  // namespace oleaut::disp
