// SetErrorInfo / GetErrorInfo: each thread holds at most one error-info object.
// Reading it hands the reference over and empties the slot, as on Windows, so a
// stale error can never be picked up by a later, unrelated failure.
#include <utility>

#include "oleaut.h"

namespace {

struct thread_error_info {
    IErrorInfo *info = nullptr;
    ~thread_error_info()
    {
        if (IErrorInfo *p = std::exchange(info, nullptr))
            p->Release();
    }
};

thread_local thread_error_info t_slot;

}  // namespace

STDAPI SetErrorInfo(ULONG dwReserved, IErrorInfo *perrinfo)
{
    if (dwReserved != 0)
        return E_INVALIDARG;
    if (perrinfo)
        perrinfo->AddRef();
    // Release the old object only after the slot is updated: its Release may run
    // code that looks at this thread's error info again.
    if (IErrorInfo *old = std::exchange(t_slot.info, perrinfo))
        old->Release();
    return S_OK;
}

STDAPI GetErrorInfo(ULONG dwReserved, IErrorInfo **pperrinfo)
{
    if (!pperrinfo)
        return E_INVALIDARG;
    *pperrinfo = nullptr;
    if (dwReserved != 0)
        return E_INVALIDARG;
    *pperrinfo = std::exchange(t_slot.info, nullptr);
    return *pperrinfo ? S_OK : S_FALSE;
}
