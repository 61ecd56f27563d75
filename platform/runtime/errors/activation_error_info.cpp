// See activation_error_info.h.
#include "activation_error_info.h"

#include <string>

#include "oleaut.h"
#include "oleaut/utf.hpp"

namespace oleaut::detail {

void publish_error_info(std::u16string_view source, std::string_view utf8_description) noexcept
{
    try {
        std::u16string src(source);
        std::u16string desc = utf8_to_utf16(utf8_description);
        ICreateErrorInfo *create = nullptr;
        if (FAILED(CreateErrorInfo(&create)) || !create)
            return;
        create->SetSource(src.data());
        create->SetDescription(desc.data());
        IErrorInfo *info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void **>(&info))) && info) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    } catch (...) {
        // Out of memory while describing a failure: the failing status code still
        // reaches the caller, only its description is lost.
    }
}

}  // namespace oleaut::detail
