// The live-object count of the library that links the toolkit. Every automation
// object, type information object and server lock counts itself here, so that
// DllCanUnloadNow can answer and tests can prove that nothing leaked. Each library
// links its own copy of the toolkit (hidden symbols), so each has its own count.
#ifndef OLEAUT_DISPATCH_MODULE_HPP
#define OLEAUT_DISPATCH_MODULE_HPP

#include "../../oleaut.h"

namespace oleaut::disp {

void module_add_ref() noexcept;
void module_release() noexcept;
long module_live_count() noexcept;

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
