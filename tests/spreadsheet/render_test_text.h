// A text measurer for layout tests that needs no fonts: every character is 0.6 em
// wide and a line is 1.2 em high, so expected positions can be worked out by hand.
#ifndef TESTS_SPREADSHEET_RENDER_TEST_TEXT_H
#define TESTS_SPREADSHEET_RENDER_TEST_TEXT_H

#include <string_view>

#include "render/text_measurer.hpp"

namespace render_test {

class fixed_width_measurer final : public sheethost::render::text_measurer {
public:
    sheethost::render::text_extent measure(std::string_view utf8,
                                           const sheethost::render::font_spec &font) const override
    {
        double chars = 0;
        for (char c : utf8)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                chars += 1;
        return {chars * 0.6 * font.size, 1.2 * font.size};
    }
};

}  // namespace render_test

#endif
