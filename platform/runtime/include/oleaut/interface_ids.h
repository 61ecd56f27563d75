/* Maps an interface type to its IID, the way __uuidof does on Windows, for the C++ layer
 * (com_ptr::query, unknown's QueryInterface). Included after the interfaces are declared:
 * by interfaces.h on Linux, by win32.h over the SDK's declarations on Windows. */
#ifndef OLEAUT_INTERFACE_IDS_H
#define OLEAUT_INTERFACE_IDS_H

template <class T>
struct oleaut_uuid_of;
#define OLEAUT_DECLARE_UUID(Iface, iid)                       \
    template <>                                               \
    struct oleaut_uuid_of<Iface> {                            \
        static const IID &value() { return iid; }             \
    }
#define OLEAUT_UUIDOF(Iface) (oleaut_uuid_of<Iface>::value())

OLEAUT_DECLARE_UUID(IUnknown, IID_IUnknown);
OLEAUT_DECLARE_UUID(IDispatch, IID_IDispatch);
OLEAUT_DECLARE_UUID(IClassFactory, IID_IClassFactory);
OLEAUT_DECLARE_UUID(IErrorInfo, IID_IErrorInfo);
OLEAUT_DECLARE_UUID(ICreateErrorInfo, IID_ICreateErrorInfo);
OLEAUT_DECLARE_UUID(ISupportErrorInfo, IID_ISupportErrorInfo);
OLEAUT_DECLARE_UUID(ITypeInfo, IID_ITypeInfo);
OLEAUT_DECLARE_UUID(ITypeLib, IID_ITypeLib);
OLEAUT_DECLARE_UUID(ITypeComp, IID_ITypeComp);

#endif
