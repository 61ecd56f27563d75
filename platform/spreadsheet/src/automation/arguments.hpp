// Reading the arguments that the host declares as VARIANT (as the classic object
// model does for indexes, fonts, borders and optional flags): each is converted with
// the runtime's own conversion (locale 1033), and one that does not convert is refused
// with the member's name and the value given, not with a bare type mismatch.
#ifndef SHEETHOST_AUTOMATION_ARGUMENTS_HPP
#define SHEETHOST_AUTOMATION_ARGUMENTS_HPP

#include <string>
#include <string_view>

#include "oleaut/variant.hpp"

namespace sheethost::automation {

// An optional argument the caller left out.
bool is_left_out(const VARIANT &v);

long whole_number(const VARIANT &v, std::u16string_view what);
double real_number(const VARIANT &v, std::u16string_view what);
bool truth(const VARIANT &v, std::u16string_view what);
std::u16string text_of(const VARIANT &v, std::u16string_view what);

// A BSTR's text; a null string is the empty string.
std::u16string bstr_text(BSTR b);

// How a value reads in a message: 7, "abc", Empty, Null, an object, an array.
std::u16string describe(const VARIANT &v);

// The index of a collection item: a position counted from 1 (VT_I2, VT_I4, or any
// number) or a name (a string).
struct item_key {
    bool by_name = false;
    long position = 0;
    std::u16string name;
    std::u16string shown;  // for messages: 3 or "Sheet1"
};
item_key item_key_of(const VARIANT &v, std::u16string_view what);

}  // namespace sheethost::automation

#endif
