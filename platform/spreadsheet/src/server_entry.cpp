// libsheethost.so's four entry points: the class factory for "Excel.Application" and
// self-registration, through the dispatch toolkit. The CLSID is this host's own.
#include <dlfcn.h>

#include "automation/interface_ids.hpp"
#include "automation/objects.hpp"
#include "oleaut/com_ptr.hpp"
#include "oleaut/dispatch/server.hpp"

namespace {

HRESULT create_application(REFIID riid, void **ppv)
{
    auto app = oleaut::com_ptr<IDispatch>::attach(sheethost::automation::new_application());
    return app->QueryInterface(riid, ppv);
}

const oleaut::disp::class_entry kClasses[] = {
    {&sheethost::automation::kCLSID_Application, u"Excel.Application",
     u"Quillet embedded spreadsheet host (workbooks, cells and charts exported as pictures)", &create_application},
};

// The drawing libraries register their types with GLib's type system, which never
// unloads; were they unloaded with this library (CoFreeUnusedLibraries) and loaded
// again by the next activation, GLib would still point into their old code. So they
// stay resident once loaded, as GLib does, while this library itself can come and go.
__attribute__((constructor)) void keep_drawing_libraries_resident()
{
    for (const char *soname : {"libpangocairo-1.0.so.0", "libpangoft2-1.0.so.0", "libpango-1.0.so.0", "libcairo.so.2",
                               "libpixman-1.so.0", "libfontconfig.so.1"}) {
        if (void *pinned = dlopen(soname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE))
            dlclose(pinned);  // the library stays: NODELETE outlives this handle
    }
}

}  // namespace

OLEAUT_DEFINE_SERVER_ENTRY_POINTS(kClasses)
