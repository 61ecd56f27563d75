// What every in-process server of this project needs besides its objects: a class
// factory per creatable class, the answer to DllGetClassObject, and registration of
// its classes (CLSID, ProgID, library path, threading model) for DllRegisterServer
// and DllUnregisterServer.
#ifndef OLEAUT_DISPATCH_SERVER_HPP
#define OLEAUT_DISPATCH_SERVER_HPP

#include <span>
#include <string>

#include "../com_ptr.hpp"
#include "../utf.hpp"
#include "module.hpp"

namespace oleaut::disp {

// One creatable class of a server.
struct class_entry {
    const GUID *clsid;
    const OLECHAR *prog_id;      // "Library.Class"
    const OLECHAR *description;  // shown as the class key's default value
    // Creates a new object and answers the requested interface. Runs inside the
    // factory's exception guard: it may throw com_error.
    HRESULT (*create)(REFIID riid, void **ppv);
    const OLECHAR *threading_model = OLESTR("Apartment");
};

// DllGetClassObject: a class factory for the entry whose CLSID matches.
HRESULT get_class_object(std::span<const class_entry> classes, REFCLSID clsid, REFIID riid, void **ppv) noexcept;

// DllRegisterServer / DllUnregisterServer for these classes. The library path written
// is that of the library this toolkit is linked into.
HRESULT register_classes(std::span<const class_entry> classes) noexcept;
HRESULT unregister_classes(std::span<const class_entry> classes) noexcept;

// The file of the library this toolkit is linked into (the server, not the program), with
// links resolved; empty when it cannot be found.
oleaut::ostring own_library_file();

// Creates an object of class T (whose constructor may throw) and answers riid.
template <class T>
HRESULT create_instance(REFIID riid, void **ppv)
{
    com_ptr<T> obj = com_ptr<T>::attach(T::create());
    return obj->QueryInterface(riid, ppv);
}

}  // namespace oleaut::disp

// Defines a server's four exported entry points over its table of classes, for a server
// that needs nothing but class registration.
#define OLEAUT_DEFINE_SERVER_ENTRY_POINTS(classes)                                                          \
    extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid,  \
                                                                                void **ppv)                  \
    {                                                                                                        \
        return oleaut::disp::get_class_object(classes, clsid, riid, ppv);                                    \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) HRESULT DllCanUnloadNow()                              \
    {                                                                                                        \
        return oleaut::disp::module_can_unload();                                                            \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) HRESULT DllRegisterServer()                            \
    {                                                                                                        \
        return oleaut::disp::register_classes(classes);                                                      \
    }                                                                                                        \
    extern "C" __attribute__((visibility("default"))) HRESULT DllUnregisterServer()                          \
    {                                                                                                        \
        return oleaut::disp::unregister_classes(classes);                                                    \
    }

#endif
