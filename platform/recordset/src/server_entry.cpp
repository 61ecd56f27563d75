// librecordset.so's four entry points: the class factory for "ADODB.Recordset" and its
// registration, both from the dispatch toolkit.
#include "oleaut/dispatch/server.hpp"
#include "recordset_ids.hpp"
#include "recordset_object.hpp"

namespace {

const oleaut::disp::class_entry kClasses[] = {
    {&recordset::kCLSID_Recordset, recordset::kProgID, u"Recordset over SQLite, CSV and in-memory rows",
     &oleaut::disp::create_instance<recordset::recordset_object>},
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
