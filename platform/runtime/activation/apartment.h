// Which threads may activate objects. A thread joins an apartment with CoInitialize(Ex)
// and leaves when its calls are balanced by CoUninitialize; a thread that never joined
// may still activate while any thread of the process is in the multithreaded apartment
// (the implicit MTA), as on Windows.
#ifndef OLEAUT_SRC_APARTMENT_H
#define OLEAUT_SRC_APARTMENT_H

namespace oleaut::detail {

bool current_thread_may_activate() noexcept;

// Unloads what the servers allow to unload (activation_libraries.cpp); called when the
// last apartment of the process closes.
void free_unused_libraries() noexcept;

}  // namespace oleaut::detail

#endif
