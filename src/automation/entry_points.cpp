// The four entry points of the component's library.
#include "chart/quillet.hpp"
#include "oleaut/dispatch/server.hpp"

namespace {

const oleaut::disp::class_entry kClasses[] = {
    {&quillet::CLSID_cQuillet, u"Quillet.cQuillet", u"Quillet.cQuillet",
     &oleaut::disp::create_instance<quillet::cQuillet>},
};

}  // namespace

#define QUILLET_EXPORT extern "C" __attribute__((visibility("default")))

QUILLET_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void **ppv)
{
    return oleaut::disp::get_class_object(kClasses, clsid, riid, ppv);
}
QUILLET_EXPORT HRESULT DllCanUnloadNow() { return oleaut::disp::module_can_unload(); }
QUILLET_EXPORT HRESULT DllRegisterServer() { return oleaut::disp::register_classes(kClasses); }
QUILLET_EXPORT HRESULT DllUnregisterServer() { return oleaut::disp::unregister_classes(kClasses); }
