/* The automation runtime's services for components: the thread's current error
 * (the error object), Raise, CreateObject and the event log.
 *
 * These are C entry points so that no C++ exception ever crosses the library
 * boundary; runtime.hpp wraps them for C++ callers. Optional arguments are
 * VARIANT pointers: a null pointer or a VT_ERROR holding DISP_E_PARAMNOTFOUND
 * means "left out". */
#ifndef OLEAUT_RUNTIME_H
#define OLEAUT_RUNTIME_H

#ifdef _WIN32
#include "win32.h"
#else
#include "api.h"
#endif

/* Errors the runtime raises itself: 0x800A0000 | n, n as in the classic automation runtime. */
#define OART_E_INVALIDPROCCALL ((HRESULT)0x800A0005)  /* 5 */
#define OART_E_OVERFLOW ((HRESULT)0x800A0006)         /* 6 */
#define OART_E_OUTOFMEMORY ((HRESULT)0x800A0007)      /* 7 */
#define OART_E_SUBSCRIPT ((HRESULT)0x800A0009)        /* 9 */
#define OART_E_DIVBYZERO ((HRESULT)0x800A000B)        /* 11 */
#define OART_E_TYPEMISMATCH ((HRESULT)0x800A000D)     /* 13 */
#define OART_E_FILEACCESS ((HRESULT)0x800A004B)       /* 75 */
#define OART_E_OBJECTNOTSET ((HRESULT)0x800A005B)     /* 91 */
#define OART_E_INVALIDUSEOFNULL ((HRESULT)0x800A005E) /* 94 */
#define OART_E_CANTCREATEOBJECT ((HRESULT)0x800A01AD) /* 429 */
#define OART_E_AUTOMATIONERROR ((HRESULT)0x800A01B8)  /* 440 */
#define OART_E_NOTSUPPORTED ((HRESULT)0x800A01B6)     /* 438 */

/* Base of the errors an object defines itself (vbObjectError). */
#define OART_OBJECT_ERROR_BASE ((LONG)0x80040000)

/* Event types accepted by OaRtLogEvent. */
#define OART_EVENT_ERROR 1
#define OART_EVENT_WARNING 2
#define OART_EVENT_INFORMATION 4

/* The fixed description of a runtime error number (OART_E_* or its low word);
 * "Application-defined or object-defined error" for any other number. */
STDAPI OaRtErrorDescription(LONG number, BSTR *pbstrDescription);

/* The symbolic name of a number in the same table ("E_INVALIDARG", "OART_E_OVERFLOW"):
 * S_OK with the name, or S_FALSE and null for a number the table does not know. */
STDAPI OaRtErrorName(LONG number, BSTR *pbstrName);

/* The error object of the calling thread. Getters on a thread with no error give 0 / null. */
STDAPI_(LONG) OaRtErrNumber(void);
STDAPI OaRtErrSource(BSTR *pbstrSource);
STDAPI OaRtErrDescription(BSTR *pbstrDescription);
STDAPI OaRtErrHelpFile(BSTR *pbstrHelpFile);
STDAPI_(LONG) OaRtErrHelpContext(void);
STDAPI_(void) OaRtErrClear(void);

/* Makes the given error the thread's current error, exactly as given, and
 * publishes it through SetErrorInfo. Used when a failure is caught. */
STDAPI OaRtErrSet(LONG number, LPCOLESTR source, LPCOLESTR description, LPCOLESTR helpFile, LONG helpContext);

/* Err.Raise: fills what is left out (source: the default source; description:
 * the runtime's text for the number; help file: none; help context: 0), makes
 * the result the current error, publishes it through SetErrorInfo, and returns
 * the number as the HRESULT the caller must fail with. A number of 0 is refused
 * with OART_E_INVALIDPROCCALL. */
STDAPI OaRtRaise(LONG number, const VARIANT *source, const VARIANT *description, const VARIANT *helpFile,
                 const VARIANT *helpContext);

/* The source Raise supplies when none is given (process-wide; a component sets
 * its "Project.Class" name when it loads). Null restores the built-in default. */
STDAPI OaRtSetDefaultSource(LPCOLESTR source);
STDAPI OaRtGetDefaultSource(BSTR *pbstrSource);

/* CreateObject(ProgID): activates an in-process server and answers its IDispatch.
 * Any activation failure gives OART_E_CANTCREATEOBJECT, "ActiveX component can't
 * create object", as the current error. */
STDAPI OaRtCreateObject(LPCOLESTR progId, IDispatch **ppDispatch);

/* App.LogEvent: appends one entry (exact text, event type) to the event log, the file
 * named by OLEAUT_EVENTLOG or else syslog. A log that cannot be written fails with
 * OART_E_FILEACCESS and a description naming the file and the system's reason. */
STDAPI OaRtLogEvent(LPCOLESTR text, LONG eventType);

#endif
