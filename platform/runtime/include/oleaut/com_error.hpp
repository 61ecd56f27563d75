// com_error: the one exception type C++ code in this project throws for a failed
// call (HRESULT, source, description, help file, help context), like the SDK's
// _com_error. Exceptions never cross a library boundary: entry points catch
// everything and turn it back into an HRESULT plus error info with
// hresult_from_exception() or fill_excepinfo().
#ifndef OLEAUT_COM_ERROR_HPP
#define OLEAUT_COM_ERROR_HPP

#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include "bstr.hpp"
#include "com_ptr.hpp"

namespace oleaut {

class com_error : public std::exception {
public:
    // An error with the runtime's description of hr and no source.
    explicit com_error(HRESULT hr) : hr_(hr)
    {
        bstr d;
        if (SUCCEEDED(OaRtErrorDescription(hr, d.put())))
            description_ = d.str();
        format();
    }
    com_error(HRESULT hr, oleaut::ostring source, oleaut::ostring description, oleaut::ostring help_file = {},
              DWORD help_context = 0)
        : hr_(hr), source_(std::move(source)), description_(std::move(description)),
          help_file_(std::move(help_file)), help_context_(help_context)
    {
        format();
    }

    // hr, with source and description from the thread's error info when some was set.
    static com_error from_error_info(HRESULT hr)
    {
        com_ptr<IErrorInfo> info;
        if (GetErrorInfo(0, info.put()) == S_OK && info) {
            bstr src, desc, file;
            DWORD ctx = 0;
            info->GetSource(src.put());
            info->GetDescription(desc.put());
            info->GetHelpFile(file.put());
            info->GetHelpContext(&ctx);
            if (desc.is_null())
                return com_error(hr, src.str(), com_error(hr).description(), file.str(), ctx);
            return com_error(hr, src.str(), desc.str(), file.str(), ctx);
        }
        return com_error(hr);
    }

    // The error an IDispatch::Invoke reported: DISP_E_EXCEPTION carries it in EXCEPINFO.
    static com_error from_invoke(HRESULT hr, EXCEPINFO &ei)
    {
        if (hr == DISP_E_EXCEPTION) {
            if (ei.pfnDeferredFillIn) {
                ei.pfnDeferredFillIn(&ei);
                ei.pfnDeferredFillIn = nullptr;
            }
            // A callee that filled in neither code still reported an exception.
            HRESULT code = ei.scode   ? ei.scode
                           : ei.wCode ? static_cast<HRESULT>(0x800A0000u | ei.wCode)
                                      : DISP_E_EXCEPTION;
            com_error e(code, bstr::attach(ei.bstrSource).str(), bstr::attach(ei.bstrDescription).str(),
                        bstr::attach(ei.bstrHelpFile).str(), ei.dwHelpContext);
            ei.bstrSource = ei.bstrDescription = ei.bstrHelpFile = nullptr;
            if (e.description_.empty())
                e = com_error(code, e.source_, com_error(code).description(), e.help_file_, e.help_context_);
            return e;
        }
        return from_error_info(hr);
    }

    HRESULT hr() const noexcept { return hr_; }
    const oleaut::ostring &source() const noexcept { return source_; }
    const oleaut::ostring &description() const noexcept { return description_; }
    const oleaut::ostring &help_file() const noexcept { return help_file_; }
    DWORD help_context() const noexcept { return help_context_; }
    const char *what() const noexcept override { return what_.c_str(); }

    // Makes this the thread's error info (SetErrorInfo).
    void publish() const noexcept
    {
        com_ptr<ICreateErrorInfo> create;
        if (FAILED(CreateErrorInfo(create.put())))
            return;
        create->SetSource(const_cast<LPOLESTR>(source_.c_str()));
        create->SetDescription(const_cast<LPOLESTR>(description_.c_str()));
        if (!help_file_.empty())
            create->SetHelpFile(const_cast<LPOLESTR>(help_file_.c_str()));
        create->SetHelpContext(help_context_);
        com_ptr<IErrorInfo> info = create.query<IErrorInfo>();
        SetErrorInfo(0, info.get());
    }

    // Fills an EXCEPINFO for the DISP_E_EXCEPTION path of Invoke.
    void fill(EXCEPINFO *ei) const noexcept
    {
        if (!ei)
            return;
        *ei = EXCEPINFO{};
        ei->bstrSource = SysAllocStringLen(source_.data(), static_cast<UINT>(source_.size()));
        ei->bstrDescription = SysAllocStringLen(description_.data(), static_cast<UINT>(description_.size()));
        if (!help_file_.empty())
            ei->bstrHelpFile = SysAllocStringLen(help_file_.data(), static_cast<UINT>(help_file_.size()));
        ei->dwHelpContext = help_context_;
        ei->scode = hr_;
    }

private:
    void format()
    {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr_));
        what_ = code;
        if (!description_.empty())
            what_ += ": " + utf16_to_utf8(description_);
        if (!source_.empty())
            what_ += " (" + utf16_to_utf8(source_) + ")";
    }

    HRESULT hr_;
    oleaut::ostring source_, description_, help_file_;
    DWORD help_context_ = 0;
    std::string what_;
};

// The one function through which every failed HRESULT is raised.
[[noreturn]] inline void throw_error(HRESULT hr) { throw com_error::from_error_info(hr); }
inline void check(HRESULT hr)
{
    if (FAILED(hr))
        throw_error(hr);
}

// Turns the exception being handled into a com_error. Call only inside a catch block.
inline com_error current_exception_as_com_error() noexcept
{
    try {
        throw;
    } catch (const com_error &e) {
        return e;
    } catch (const std::bad_alloc &) {
        return com_error(E_OUTOFMEMORY);
    } catch (const std::exception &e) {
        return com_error(E_FAIL, OLESTR(""), utf8_to_utf16(e.what()));
    } catch (...) {
        return com_error(E_UNEXPECTED);
    }
}

// For vtable entry points: inside catch (...), publishes the error info and answers
// the HRESULT to return.
inline HRESULT hresult_from_exception() noexcept
{
    com_error e = current_exception_as_com_error();
    e.publish();
    return e.hr();
}

}  // namespace oleaut

#endif
