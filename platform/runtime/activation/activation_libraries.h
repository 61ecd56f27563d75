// The process's table of loaded in-process server libraries. A library is loaded the
// first time one of its classes is asked for and stays loaded until its
// DllCanUnloadNow agrees to go (CoFreeUnusedLibraries).
#ifndef OLEAUT_SRC_ACTIVATION_LIBRARIES_H
#define OLEAUT_SRC_ACTIVATION_LIBRARIES_H

#include <string>

#include "oleaut.h"

namespace oleaut::detail {

// Loads the library at path if it is not loaded yet and asks its DllGetClassObject
// for the class object. Failures to load or to find the entry point are published as
// error info; a failure of DllGetClassObject itself is passed through untouched.
HRESULT class_object_from_library(const std::string &path, REFCLSID clsid, REFIID riid, void **ppv);

}  // namespace oleaut::detail

#endif
