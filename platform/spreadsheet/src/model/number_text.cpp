#include "model/number_text.hpp"

#include <cmath>

#include "oleaut/bstr.hpp"

namespace sheethost::model {

std::u16string integer_text(long long n)
{
    std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string number_text(double x)
{
    if (std::isnan(x))
        return u"NaN";
    if (std::isinf(x))
        return x > 0 ? u"infinity" : u"-infinity";
    oleaut::bstr text;
    if (FAILED(VarBstrFromR8(x, LOCALE_EN_US, 0, text.put())))
        return integer_text(static_cast<long long>(x));
    return text.str();
}

}  // namespace sheethost::model
