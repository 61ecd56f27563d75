/* liboleaut: the OLE Automation subset this project runs on, with Win32 names and semantics.
 * A client compiles with -I platform/runtime/include and links -loleaut. */
#ifndef OLEAUT_H
#define OLEAUT_H

#include "oleaut/types.h"
#include "oleaut/hresults.h"
#include "oleaut/interfaces.h"
#include "oleaut/api.h"
#include "oleaut/runtime.h"

#endif
