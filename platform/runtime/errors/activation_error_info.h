// Publishing a failure as the thread's error info, so that whoever sees the failing
// code (a client of CoCreateInstance, regsvr printing why DllRegisterServer failed)
// can also read a description a person can act on.
#ifndef OLEAUT_SRC_ACTIVATION_ERROR_INFO_H
#define OLEAUT_SRC_ACTIVATION_ERROR_INFO_H

#include <string_view>

namespace oleaut::detail {

// Sources of the errors published below.
inline constexpr std::u16string_view kRegistrySource = u"Registry";
inline constexpr std::u16string_view kActivationSource = u"Activation";

// Makes (source, description) the thread's error info through SetErrorInfo.
void publish_error_info(std::u16string_view source, std::string_view utf8_description) noexcept;

}  // namespace oleaut::detail

#endif
