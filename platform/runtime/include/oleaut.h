/* liboleaut: the OLE Automation subset this project runs on, with Win32 names and semantics.
 * A client compiles with -I platform/runtime/include and links -loleaut. On Windows the
 * same names come from the SDK (oleaut/win32.h). */
#ifndef OLEAUT_H
#define OLEAUT_H

#ifdef _WIN32
#include "oleaut/win32.h"
#else
#include "oleaut/types.h"
#include "oleaut/hresults.h"
#include "oleaut/interfaces.h"
#include "oleaut/api.h"
#include "oleaut/runtime.h"
#endif

#endif
