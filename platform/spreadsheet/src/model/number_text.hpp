// Numbers as the host writes them into its messages and names: whole numbers in
// decimal digits, others as the automation runtime prints a double (locale 1033).
#ifndef SHEETHOST_MODEL_NUMBER_TEXT_HPP
#define SHEETHOST_MODEL_NUMBER_TEXT_HPP

#include <string>

namespace sheethost::model {

std::u16string integer_text(long long n);
std::u16string number_text(double x);

}  // namespace sheethost::model

#endif
