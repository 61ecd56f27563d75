// The live-object count of the library that links the toolkit. Every automation
// object, server lock and type information built from its tables (through
// module_lock) counts itself here, so that
// DllCanUnloadNow can answer and tests can prove that nothing leaked. Each library
// links its own copy of the toolkit (hidden symbols), so each has its own count.
#ifndef OLEAUT_DISPATCH_MODULE_HPP
#define OLEAUT_DISPATCH_MODULE_HPP

#include "../../oleaut.h"

namespace oleaut::disp {

void module_add_ref() noexcept;
void module_release() noexcept;
long module_live_count() noexcept;

// An IUnknown whose references count as live objects of this library: handed to the
// runtime with type information built from this library's tables, so that the
// library is not unloaded while a client still holds that information.
IUnknown *module_lock() noexcept;

// S_OK when nothing of this library is alive, else S_FALSE: DllCanUnloadNow's answer.
inline HRESULT module_can_unload() noexcept { return module_live_count() == 0 ? S_OK : S_FALSE; }

// Counts one object for as long as it lives.
class module_counted {
protected:
    module_counted() noexcept { module_add_ref(); }
    module_counted(const module_counted &) noexcept { module_add_ref(); }
    module_counted &operator=(const module_counted &) noexcept = default;
    ~module_counted() { module_release(); }
};

}  // namespace oleaut::disp

#endif
