// The sample class of the dispatch tests packaged as an in-process server with the
// toolkit's factory and registration, so that tests can activate a toolkit object by
// ProgID exactly as clients activate the project's real servers.
#include "dispatch/sample_object.h"
#include "oleaut/dispatch/server.hpp"

namespace {

constexpr GUID kCLSID_Sample = {0x6D1A0100, 0x2B7C, 0x4E11, {0x9A, 0x01, 0x51, 0x75, 0x11, 0xE7, 0x01, 0x00}};

const oleaut::disp::class_entry kClasses[] = {
    {&kCLSID_Sample, u"QuilletTest.Sample", u"Dispatch toolkit sample",
     &oleaut::disp::create_instance<sample::object>},
};

}  // namespace

#define SERVER_EXPORT extern "C" __attribute__((visibility("default")))

SERVER_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void **ppv)
{
    return oleaut::disp::get_class_object(kClasses, clsid, riid, ppv);
}
SERVER_EXPORT HRESULT DllCanUnloadNow() { return oleaut::disp::module_can_unload(); }
SERVER_EXPORT HRESULT DllRegisterServer() { return oleaut::disp::register_classes(kClasses); }
SERVER_EXPORT HRESULT DllUnregisterServer() { return oleaut::disp::unregister_classes(kClasses); }
