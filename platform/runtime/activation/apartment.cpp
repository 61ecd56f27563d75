// CoInitialize / CoInitializeEx / CoUninitialize: the per-thread apartment count and
// the process-wide counts that the implicit MTA and the final clean-up depend on.
#include <atomic>

#include "apartment.h"
#include "oleaut.h"

namespace {

std::atomic<long> g_mta_threads{0};   // threads inside the multithreaded apartment
std::atomic<long> g_open_threads{0};  // threads inside any apartment

void leave(bool mta) noexcept
{
    if (mta)
        --g_mta_threads;
    if (--g_open_threads == 0)
        oleaut::detail::free_unused_libraries();
}

struct thread_apartment {
    unsigned long count = 0;  // balanced CoInitialize(Ex) calls still open
    bool mta = false;
    // A thread that ends without balancing its calls leaves its apartment anyway, so the
    // process counts stay true.
    ~thread_apartment()
    {
        if (count)
            leave(mta);
    }
};

thread_local thread_apartment t_apartment;

}  // namespace

namespace oleaut::detail {

bool current_thread_may_activate() noexcept { return t_apartment.count > 0 || g_mta_threads.load() > 0; }

}  // namespace oleaut::detail

STDAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit)
{
    if (pvReserved)
        return E_INVALIDARG;
    bool mta = !(dwCoInit & COINIT_APARTMENTTHREADED);
    thread_apartment &a = t_apartment;
    if (a.count) {
        if (a.mta != mta)
            return RPC_E_CHANGED_MODE;
        ++a.count;
        return S_FALSE;
    }
    a.count = 1;
    a.mta = mta;
    ++g_open_threads;
    if (mta)
        ++g_mta_threads;
    return S_OK;
}

STDAPI CoInitialize(LPVOID pvReserved) { return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED); }

STDAPI_(void) CoUninitialize(void)
{
    thread_apartment &a = t_apartment;
    // An unbalanced call is ignored, as Windows ignores it.
    if (a.count == 0)
        return;
    if (--a.count == 0)
        leave(a.mta);
}
