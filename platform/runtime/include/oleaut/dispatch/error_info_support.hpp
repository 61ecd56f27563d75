// error_info_support: ISupportErrorInfo as a part of an object that already has its
// IUnknown. A client asks it before trusting the error info a failed call left; it says
// yes for the interfaces the owner names.
//
// It is a member, not another base, so the owner keeps a single IUnknown base (a
// conversion of the owner to IUnknown* stays unambiguous): QueryInterface, AddRef and
// Release go to the owner, which answers IID_ISupportErrorInfo with this part.
#ifndef OLEAUT_DISPATCH_ERROR_INFO_SUPPORT_HPP
#define OLEAUT_DISPATCH_ERROR_INFO_SUPPORT_HPP

#include "../../oleaut.h"

namespace oleaut::disp {

template <class Owner>
class error_info_support final : public ISupportErrorInfo {
public:
    explicit error_info_support(Owner &owner) noexcept : owner_(owner) {}
    error_info_support(const error_info_support &) = delete;
    error_info_support &operator=(const error_info_support &) = delete;

    STDMETHOD(QueryInterface)(REFIID riid, void **ppv) override { return owner_.QueryInterface(riid, ppv); }
    STDMETHOD_(ULONG, AddRef)() override { return owner_.AddRef(); }
    STDMETHOD_(ULONG, Release)() override { return owner_.Release(); }

    // Owner::reports_error_info(riid): whether that interface's failures leave error info.
    STDMETHOD(InterfaceSupportsErrorInfo)(REFIID riid) override
    {
        return owner_.reports_error_info(riid) ? S_OK : S_FALSE;
    }

private:
    Owner &owner_;
};

}  // namespace oleaut::disp

#endif
