// Cleaning text before it reaches the measurer and the painter; see drawable_text.hpp.
#include "render/layout/drawable_text.hpp"

#include <glib.h>

namespace sheethost::render {

namespace {

bool is_high_surrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool is_low_surrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool is_dropped_control(char32_t c) { return c != u'\n' && (c < 0x20 || (c >= 0x7F && c <= 0x9F)); }

void append_code_point(std::u16string &out, char32_t c)
{
    if (c >= 0x10000) {
        out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(c));
    }
}

}  // namespace

std::u16string drawable_text(std::u16string_view text)
{
    std::u16string out;
    size_t marks_in_row = 0;
    // Scanning stops as soon as the text is known to be too long, so the cost is
    // bounded by what is kept plus what is dropped, never by the whole input's shaping.
    for (size_t i = 0; i < text.size() && out.size() <= kMaxDrawnUnits; ++i) {
        char32_t c = text[i];
        if (is_high_surrogate(text[i]) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (is_high_surrogate(text[i]) || is_low_surrogate(text[i])) {
            c = 0xFFFD;
        } else if (c == u'\r') {
            c = u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\t') {
            c = u' ';
        }
        if (is_dropped_control(c))
            continue;
        if (g_unichar_combining_class(static_cast<gunichar>(c)) == 0)
            marks_in_row = 0;
        else if (++marks_in_row > kMaxCombiningRun)
            continue;
        append_code_point(out, c);
    }
    if (out.size() > kMaxDrawnUnits) {
        // One unit stays for the ellipsis, so text cut once is never cut again.
        size_t keep = kMaxDrawnUnits - 1;
        if (is_high_surrogate(out[keep - 1]))
            --keep;
        out.resize(keep);
        out.push_back(u'\u2026');
    }
    return out;
}

}  // namespace sheethost::render
