/* The C entry points of liboleaut, with the Win32 names, signatures and semantics. */
#ifndef OLEAUT_API_H
#define OLEAUT_API_H

#include "hresults.h"
#include "interfaces.h"

/* ---- Strings --------------------------------------------------------------------------- */
STDAPI_(BSTR) SysAllocString(const OLECHAR *psz);
STDAPI_(BSTR) SysAllocStringLen(const OLECHAR *strIn, UINT ui);
STDAPI_(BSTR) SysAllocStringByteLen(const char *psz, UINT len);
STDAPI_(INT) SysReAllocString(BSTR *pbstr, const OLECHAR *psz);
STDAPI_(INT) SysReAllocStringLen(BSTR *pbstr, const OLECHAR *psz, UINT len);
STDAPI_(void) SysFreeString(BSTR bstrString);
STDAPI_(UINT) SysStringLen(BSTR pbstr);
STDAPI_(UINT) SysStringByteLen(BSTR bstr);

/* ---- Task memory ------------------------------------------------------------------------ */
STDAPI_(LPVOID) CoTaskMemAlloc(size_t cb);
STDAPI_(LPVOID) CoTaskMemRealloc(LPVOID pv, size_t cb);
STDAPI_(void) CoTaskMemFree(LPVOID pv);

/* ---- Variants --------------------------------------------------------------------------- */
STDAPI_(void) VariantInit(VARIANTARG *pvarg);
STDAPI VariantClear(VARIANTARG *pvarg);
STDAPI VariantCopy(VARIANTARG *pvargDest, const VARIANTARG *pvargSrc);
STDAPI VariantCopyInd(VARIANT *pvarDest, const VARIANTARG *pvargSrc);
STDAPI VariantChangeType(VARIANTARG *pvargDest, const VARIANTARG *pvarSrc, USHORT wFlags, VARTYPE vt);
STDAPI VariantChangeTypeEx(VARIANTARG *pvargDest, const VARIANTARG *pvarSrc, LCID lcid, USHORT wFlags,
                           VARTYPE vt);

/* Scalar conversions used by VariantChangeTypeEx. Each answers S_OK, DISP_E_OVERFLOW or
 * DISP_E_TYPEMISMATCH exactly as the Windows function of the same name does. */
STDAPI VarI2FromI4(LONG lIn, SHORT *psOut);
STDAPI VarI2FromR8(DOUBLE dblIn, SHORT *psOut);
STDAPI VarI2FromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, SHORT *psOut);
STDAPI VarI2FromDec(const DECIMAL *pdecIn, SHORT *psOut);
STDAPI VarI4FromI8(LONG64 llIn, LONG *plOut);
STDAPI VarI4FromR8(DOUBLE dblIn, LONG *plOut);
STDAPI VarI4FromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, LONG *plOut);
STDAPI VarI4FromDec(const DECIMAL *pdecIn, LONG *plOut);
STDAPI VarI8FromR8(DOUBLE dblIn, LONG64 *pi64Out);
STDAPI VarI8FromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, LONG64 *pi64Out);
STDAPI VarI8FromDec(const DECIMAL *pdecIn, LONG64 *pi64Out);
STDAPI VarR4FromR8(DOUBLE dblIn, FLOAT *pfltOut);
STDAPI VarR8FromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, DOUBLE *pdblOut);
STDAPI VarR8FromDec(const DECIMAL *pdecIn, DOUBLE *pdblOut);
STDAPI VarR8FromCy(CY cyIn, DOUBLE *pdblOut);
STDAPI VarCyFromR8(DOUBLE dblIn, CY *pcyOut);
STDAPI VarCyFromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, CY *pcyOut);
STDAPI VarCyFromDec(const DECIMAL *pdecIn, CY *pcyOut);
STDAPI VarDecFromI8(LONG64 llIn, DECIMAL *pdecOut);
STDAPI VarDecFromUI8(ULONGLONG ullIn, DECIMAL *pdecOut);
STDAPI VarDecFromR8(DOUBLE dblIn, DECIMAL *pdecOut);
STDAPI VarDecFromR4(FLOAT fltIn, DECIMAL *pdecOut);
STDAPI VarDecFromCy(CY cyIn, DECIMAL *pdecOut);
STDAPI VarDecFromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, DECIMAL *pdecOut);
STDAPI VarDecFromBool(VARIANT_BOOL boolIn, DECIMAL *pdecOut);
STDAPI VarDecFromDate(DATE dateIn, DECIMAL *pdecOut);
STDAPI VarDateFromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, DATE *pdateOut);
STDAPI VarDateFromR8(DOUBLE dblIn, DATE *pdateOut);
STDAPI VarBoolFromStr(LPCOLESTR strIn, LCID lcid, ULONG dwFlags, VARIANT_BOOL *pboolOut);
STDAPI VarBoolFromR8(DOUBLE dblIn, VARIANT_BOOL *pboolOut);
STDAPI VarBoolFromDec(const DECIMAL *pdecIn, VARIANT_BOOL *pboolOut);
STDAPI VarBstrFromR8(DOUBLE dblIn, LCID lcid, ULONG dwFlags, BSTR *pbstrOut);
STDAPI VarBstrFromR4(FLOAT fltIn, LCID lcid, ULONG dwFlags, BSTR *pbstrOut);
STDAPI VarBstrFromI8(LONG64 llIn, LCID lcid, ULONG dwFlags, BSTR *pbstrOut);
STDAPI VarBstrFromUI8(ULONGLONG ullIn, LCID lcid, ULONG dwFlags, BSTR *pbstrOut);
STDAPI VarBstrFromCy(CY cyIn, LCID lcid, ULONG dwFlags, BSTR *pbstrOut);
STDAPI VarBstrFromDate(DATE dateIn, LCID lcid, ULONG dwFlags, BSTR *pbstrOut);
STDAPI VarBstrFromBool(VARIANT_BOOL boolIn, LCID lcid, ULONG dwFlags, BSTR *pbstrOut);
STDAPI VarBstrFromDec(const DECIMAL *pdecIn, LCID lcid, ULONG dwFlags, BSTR *pbstrOut);

/* Decimal arithmetic and comparison, exact on the 96-bit mantissa. */
#define VARCMP_LT 0
#define VARCMP_EQ 1
#define VARCMP_GT 2
#define VARCMP_NULL 3
STDAPI VarDecCmp(const DECIMAL *pdecLeft, const DECIMAL *pdecRight);
STDAPI VarDecRound(const DECIMAL *pdecIn, int cDecimals, DECIMAL *pdecResult);

/* ---- Safe arrays -------------------------------------------------------------------------- */
STDAPI_(SAFEARRAY *) SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND *rgsabound);
STDAPI_(SAFEARRAY *) SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements);
STDAPI SafeArrayDestroy(SAFEARRAY *psa);
STDAPI SafeArrayCopy(SAFEARRAY *psa, SAFEARRAY **ppsaOut);
STDAPI_(UINT) SafeArrayGetDim(SAFEARRAY *psa);
STDAPI_(UINT) SafeArrayGetElemsize(SAFEARRAY *psa);
STDAPI SafeArrayGetVartype(SAFEARRAY *psa, VARTYPE *pvt);
STDAPI SafeArrayGetLBound(SAFEARRAY *psa, UINT nDim, LONG *plLbound);
STDAPI SafeArrayGetUBound(SAFEARRAY *psa, UINT nDim, LONG *plUbound);
STDAPI SafeArrayLock(SAFEARRAY *psa);
STDAPI SafeArrayUnlock(SAFEARRAY *psa);
STDAPI SafeArrayAccessData(SAFEARRAY *psa, void **ppvData);
STDAPI SafeArrayUnaccessData(SAFEARRAY *psa);
STDAPI SafeArrayGetElement(SAFEARRAY *psa, LONG *rgIndices, void *pv);
STDAPI SafeArrayPutElement(SAFEARRAY *psa, LONG *rgIndices, void *pv);
STDAPI SafeArrayPtrOfIndex(SAFEARRAY *psa, LONG *rgIndices, void **ppvData);

/* ---- GUIDs, ProgIDs --------------------------------------------------------------------- */
STDAPI CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid);
STDAPI IIDFromString(LPCOLESTR lpsz, LPGUID lpiid);
STDAPI_(int) StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);
STDAPI StringFromCLSID(REFCLSID rclsid, LPOLESTR *lplpsz);
STDAPI CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid);
STDAPI ProgIDFromCLSID(REFCLSID clsid, LPOLESTR *lplpszProgID);

/* ---- Activation ------------------------------------------------------------------------ */
STDAPI CoInitialize(LPVOID pvReserved);
STDAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
STDAPI_(void) CoUninitialize(void);
STDAPI CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID pvReserved, REFIID riid, LPVOID *ppv);
STDAPI CoCreateInstance(REFCLSID rclsid, IUnknown *pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID *ppv);
STDAPI_(void) CoFreeUnusedLibraries(void);

/* The entry points an in-process server exports. */
typedef HRESULT(STDAPICALLTYPE *LPFNGETCLASSOBJECT)(REFCLSID, REFIID, LPVOID *);
typedef HRESULT(STDAPICALLTYPE *LPFNCANUNLOADNOW)(void);
typedef HRESULT(STDAPICALLTYPE *LPFNREGISTERSERVER)(void);

/* ---- Registry (HKEY_CLASSES_ROOT, backed by one file) ---------------------------------- */
STDAPI_(LSTATUS) RegCreateKeyExW(HKEY hKey, LPCOLESTR lpSubKey, DWORD Reserved, LPOLESTR lpClass, DWORD dwOptions,
                                 REGSAM samDesired, void *lpSecurityAttributes, PHKEY phkResult,
                                 DWORD *lpdwDisposition);
STDAPI_(LSTATUS) RegOpenKeyExW(HKEY hKey, LPCOLESTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
STDAPI_(LSTATUS) RegSetValueExW(HKEY hKey, LPCOLESTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE *lpData,
                                DWORD cbData);
STDAPI_(LSTATUS) RegQueryValueExW(HKEY hKey, LPCOLESTR lpValueName, DWORD *lpReserved, DWORD *lpType, BYTE *lpData,
                                  DWORD *lpcbData);
STDAPI_(LSTATUS) RegDeleteTreeW(HKEY hKey, LPCOLESTR lpSubKey);
STDAPI_(LSTATUS) RegCloseKey(HKEY hKey);
#define RegCreateKeyEx RegCreateKeyExW
#define RegOpenKeyEx RegOpenKeyExW
#define RegSetValueEx RegSetValueExW
#define RegQueryValueEx RegQueryValueExW
#define RegDeleteTree RegDeleteTreeW

/* ---- Type libraries ---------------------------------------------------------------------- */
/* A library file is an ELF shared library carrying a "TYPELIB" resource (a path may end in a
 * backslash and a number to pick that resource), or a stand-alone type library image. */
typedef enum tagREGKIND { REGKIND_DEFAULT, REGKIND_REGISTER, REGKIND_NONE } REGKIND;
STDAPI LoadTypeLib(LPCOLESTR szFile, ITypeLib **pptlib);
STDAPI LoadTypeLibEx(LPCOLESTR szFile, REGKIND regkind, ITypeLib **pptlib);
STDAPI LoadRegTypeLib(REFGUID rguid, WORD wVerMajor, WORD wVerMinor, LCID lcid, ITypeLib **pptlib);
STDAPI QueryPathOfRegTypeLib(REFGUID guid, USHORT wMaj, USHORT wMin, LCID lcid, LPBSTR lpbstrPathName);
STDAPI RegisterTypeLib(ITypeLib *ptlib, LPCOLESTR szFullPath, LPCOLESTR szHelpDir);
STDAPI UnRegisterTypeLib(REFGUID libID, WORD wVerMajor, WORD wVerMinor, LCID lcid, SYSKIND syskind);

/* ---- Error info (one per thread) ---------------------------------------------------------- */
STDAPI CreateErrorInfo(ICreateErrorInfo **pperrinfo);
STDAPI SetErrorInfo(ULONG dwReserved, IErrorInfo *perrinfo);
STDAPI GetErrorInfo(ULONG dwReserved, IErrorInfo **pperrinfo);

#endif
