// UTF-8 <-> UTF-16 conversion for the C++ layer. Invalid sequences become U+FFFD,
// so converting never fails and never loses the rest of the text.
#ifndef OLEAUT_UTF_HPP
#define OLEAUT_UTF_HPP

#include <string>
#include <string_view>

#include "../oleaut.h"

namespace oleaut {

// Text in OLE's own character type: char16_t here, wchar_t on Windows, 16 bits on both.
using ostring = std::basic_string<OLECHAR>;
using ostring_view = std::basic_string_view<OLECHAR>;

inline oleaut::ostring utf8_to_utf16(std::string_view in)
{
    oleaut::ostring out;
    out.reserve(in.size());
    size_t i = 0;
    while (i < in.size()) {
        unsigned char c = static_cast<unsigned char>(in[i]);
        char32_t cp = 0xFFFD;
        size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else if ((c >> 5) == 0x6) {
            len = 2;
        } else if ((c >> 4) == 0xE) {
            len = 3;
        } else if ((c >> 3) == 0x1E) {
            len = 4;
        }
        if (len > 1) {
            if (i + len > in.size()) {
                len = 1;
            } else {
                char32_t v = c & (0x7F >> len);
                bool ok = true;
                for (size_t k = 1; k < len; ++k) {
                    unsigned char cc = static_cast<unsigned char>(in[i + k]);
                    if ((cc & 0xC0) != 0x80) {
                        ok = false;
                        break;
                    }
                    v = (v << 6) | (cc & 0x3F);
                }
                static constexpr char32_t min_for_len[5] = {0, 0, 0x80, 0x800, 0x10000};
                if (!ok || v < min_for_len[len] || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF))
                    len = 1;
                else
                    cp = v;
            }
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<OLECHAR>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<OLECHAR>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<OLECHAR>(cp));
        }
        i += len;
    }
    return out;
}

inline std::string utf16_to_utf8(oleaut::ostring_view in)
{
    std::string out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        char32_t cp = in[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

}  // namespace oleaut

#endif
