/* On Windows the platform is the real one: the SDK's headers, ole32 and oleaut32.
 * This header adds only what the project's code names beyond the SDK (the locale it
 * formats in, the interface-id map the C++ layer uses, the export marker, the
 * runtime services of runtime.h), so the same sources compile on both platforms. */
#ifndef OLEAUT_WIN32_H
#define OLEAUT_WIN32_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <olectl.h>

/* The entry points a .def file exports; nothing needs marking in the source. */
#define OLEAUT_EXPORT

#ifndef LOCALE_EN_US
#define LOCALE_EN_US 1033
#endif

#include "interface_ids.h"

/* The SDK declares these without const on what they only read; the overloads let code
 * that passes read-only arguments compile against both platforms' declarations. */
inline HRESULT VariantCopy(VARIANTARG *dest, const VARIANTARG *src)
{
    return VariantCopy(dest, const_cast<VARIANTARG *>(src));
}
inline HRESULT VariantCopyInd(VARIANT *dest, const VARIANTARG *src)
{
    return VariantCopyInd(dest, const_cast<VARIANTARG *>(src));
}
inline HRESULT VariantChangeType(VARIANTARG *dest, const VARIANTARG *src, USHORT flags, VARTYPE vt)
{
    return VariantChangeType(dest, const_cast<VARIANTARG *>(src), flags, vt);
}
inline HRESULT VariantChangeTypeEx(VARIANTARG *dest, const VARIANTARG *src, LCID lcid, USHORT flags, VARTYPE vt)
{
    return VariantChangeTypeEx(dest, const_cast<VARIANTARG *>(src), lcid, flags, vt);
}
inline HRESULT RegisterTypeLib(ITypeLib *lib, const OLECHAR *full_path, const OLECHAR *help_dir)
{
    return RegisterTypeLib(lib, const_cast<OLECHAR *>(full_path), const_cast<OLECHAR *>(help_dir));
}

#include "runtime.h"

#endif
