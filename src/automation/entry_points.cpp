// The four entry points of the component's library. Registration writes the class
// (through the toolkit) and then the type library the library carries in its
// resources; unregistration removes both.
#include "automation/quillet_object.hpp"
#include "oleaut/dispatch/embedded_type_library.hpp"
#include "oleaut/dispatch/server.hpp"

namespace {

const oleaut::disp::class_entry kClasses[] = {
    {&quillet::CLSID_cQuillet, OLESTR("Quillet.cQuillet"), OLESTR("Quillet.cQuillet"),
     &oleaut::disp::create_instance<quillet::cQuillet>},
};

}  // namespace

// The version script (exports.map) decides what leaves the library; the attribute only
// keeps the compiler's visibility preset from hiding these four.
#define QUILLET_EXPORT extern "C" __attribute__((visibility("default")))

QUILLET_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void **ppv)
{
    return oleaut::disp::get_class_object(kClasses, clsid, riid, ppv);
}
QUILLET_EXPORT HRESULT DllCanUnloadNow() { return oleaut::disp::module_can_unload(); }
QUILLET_EXPORT HRESULT DllRegisterServer()
{
    const HRESULT hr = oleaut::disp::register_classes(kClasses);
    return FAILED(hr) ? hr : oleaut::disp::register_embedded_type_library();
}
QUILLET_EXPORT HRESULT DllUnregisterServer()
{
    // Both halves run even if one fails, so that as much as possible is removed; the
    // first failure is the one reported.
    const HRESULT type_library = oleaut::disp::unregister_embedded_type_library();
    const HRESULT classes = oleaut::disp::unregister_classes(kClasses);
    return FAILED(type_library) ? type_library : classes;
}
