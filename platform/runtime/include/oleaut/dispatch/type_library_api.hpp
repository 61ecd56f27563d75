// liboleaut's entry points for type information built from descriptions (describe.hpp),
// as LoadTypeLib and CreateDispTypeInfo are the platform's: the type information
// objects live in the runtime, and a server gets them through these calls instead of
// linking its own copy. Each answers an HRESULT and publishes error info on failure;
// no exception leaves the runtime. typeinfo.hpp and typelib_format.hpp wrap them for
// C++ callers.
//
// `owner`, where taken, is held (AddRef) for as long as anything built from the
// description lives, and released after. A server passes its module lock
// (module.hpp), so that it stays loaded while a client holds type information that
// points into its tables.
#ifndef OLEAUT_DISPATCH_TYPE_LIBRARY_API_HPP
#define OLEAUT_DISPATCH_TYPE_LIBRARY_API_HPP

#include <cstddef>

#include "describe.hpp"

// Type information of one interface that belongs to no library.
STDAPI OaRtCreateTypeInfo(const oleaut::disp::interface_info *iface, IUnknown *owner, ITypeInfo **ppTInfo);

// A type library over a library description.
STDAPI OaRtCreateTypeLib(const oleaut::disp::library_info *lib, IUnknown *owner, ITypeLib **ppTLib);

// The image of a description (format: typelib_format.hpp), in task memory the caller
// frees with CoTaskMemFree.
STDAPI OaRtWriteTypeLibImage(const oleaut::disp::library_info *lib, BYTE **ppImage, size_t *pcbImage);

// The description an image holds, alive until *ppOwner is released.
STDAPI OaRtReadTypeLibImage(const BYTE *image, size_t cbImage, const oleaut::disp::library_info **ppLib,
                            IUnknown **ppOwner);

// A type library over the description an image holds (LoadTypeLib without the file).
STDAPI OaRtLoadTypeLibImage(const BYTE *image, size_t cbImage, ITypeLib **ppTLib);

// The library as IDL text (UTF-8) that widl compiles when every type it names is its own, in task memory the caller frees with CoTaskMemFree.
STDAPI OaRtDumpTypeLibIdl(ITypeLib *ptlib, char **ppszText);

// The runtime's type information objects and descriptor blocks that are alive.
STDAPI_(LONG) OaRtTypeObjectsAlive(void);

#endif
